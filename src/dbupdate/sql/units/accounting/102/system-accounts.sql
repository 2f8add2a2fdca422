DELETE FROM ACCDEF2
WHERE KNAME NOT IN ('現金','仮受消費税','仮払消費税','繰越利益剰余金','諸口','事業主借','事業主貸','元入金','諸口');
Commit;
