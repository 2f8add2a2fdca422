// Journal and master triggers and the head-count reader of update 0.1.1.
//
// The journal triggers keep KAMOKU_MS, KAMOKU_TAX and SISETUMST.SIWAKECOUNT
// equal to the sums over the live journal rows (DELFLG 0), whatever the
// order of inserts, voids, restores and supersessions:
//   - an insert posts the row only when it is live;
//   - an update takes the old values out when the row was live and puts the
//     new ones in when it is live, so a restore from any state posts again
//     and a live row whose amounts or keys change moves to its new place;
//   - a posting that finds no balance row makes it instead of losing the
//     amounts (a new KAMOKU_SZ key brings its period rows through its own
//     trigger).

#include "dbupdate/AccountingUpdate011.h"

#include <string>

namespace accupdate011 {

namespace {

// One journal side of row (NEW or OLD) added to the totals (sign "+") or
// taken out of them (sign "-"), written out in place for each use; the
// trigger declares VBUMON and VTAXBCODE. The facility's journal count
// follows the debit side only, as one entry has one debit row. Tax totals
// are kept per department only when ACCDEF1.BUMON is 2, else on the blank
// department. A missing tax row is made only when there is tax to hold:
// lines without tax need none.
void AddPosting(TUpdateScript& script, const std::string& sign, const std::string& row, const std::string& indent)
{
    const std::string r = row + ".";
    const std::string nuk = "COALESCE(" + r + "NUK, 0)";
    const std::string zei = "COALESCE(" + r + "ZEI, 0)";
    const std::string signedZei = (sign == "-" ? "-" : "") + zei;
    // The balance row's key in two lines, the tax row's key.
    const std::string msKey1 = "SCODE = " + r + "SCODE AND BCODE = " + r + "BCODE AND KCODE = " + r + "KCODE";
    const std::string msKey2 = "AND HCODE = " + r + "HCODE AND MNUM = " + r + "MNUM";
    const std::string taxKey =
        "SCODE = " + r + "SCODE AND BCODE = :VTAXBCODE AND KKUBUN = " + r + "TAXUH AND MNUM = " + r + "MNUM";
    const std::string i = indent;
    script.Add({
        i + "IF (" + r + "TAISHAKU IN (1, 2)) THEN",
        i + "BEGIN",
        i + "  /* Amounts of a key without its period row would drop out of every",
        i + "     balance: make the key, whose trigger adds its period rows, or the",
        i + "     period row itself. */",
        i + "  IF (" + r + "SCODE IS NOT NULL AND " + r + "BCODE IS NOT NULL AND " + r + "KCODE IS NOT NULL",
        i + "      AND " + r + "HCODE IS NOT NULL AND " + r + "MNUM IS NOT NULL",
        i + "      AND NOT EXISTS (SELECT 1 FROM KAMOKU_MS",
        i + "                       WHERE " + msKey1,
        i + "                         " + msKey2 + ")) THEN",
        i + "  BEGIN",
        i + "    IF (NOT EXISTS (SELECT 1 FROM KAMOKU_SZ WHERE SCODE = " + r + "SCODE AND KCODE = " + r + "KCODE",
        i + "                     AND HCODE = " + r + "HCODE AND BCODE = " + r + "BCODE)) THEN",
        i + "      INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)",
        i + "      VALUES (" + r + "SCODE, " + r + "KCODE, " + r + "HCODE, " + r + "BCODE);",
        i + "    IF (NOT EXISTS (SELECT 1 FROM KAMOKU_MS",
        i + "                     WHERE " + msKey1,
        i + "                       " + msKey2 + ")) THEN",
        i + "      INSERT INTO KAMOKU_MS (SCODE, KCODE, HCODE, BCODE, MNUM)",
        i + "      VALUES (" + r + "SCODE, " + r + "KCODE, " + r + "HCODE, " + r + "BCODE, " + r + "MNUM);",
        i + "  END",
        i + "  SELECT BUMON FROM ACCDEF1 WHERE REC = 1 INTO :VBUMON;",
        i + "  VTAXBCODE = IIF(VBUMON = 2, " + r + "BCODE, ' ');",
        i + "  IF (" + r + "TAISHAKU = 1) THEN",
        i + "  BEGIN",
        i + "    UPDATE SISETUMST SET SIWAKECOUNT = COALESCE(SIWAKECOUNT, 0) " + sign + " 1",
        i + "     WHERE SCODE = " + r + "SCODE;",
    });
    // The debit side posts into KAR*, the credit side into KAS*.
    for (const bool debit : {true, false}) {
        const std::string side = debit ? "KAR" : "KAS";
        const std::string taxValues = debit ? signedZei + ", 0" : "0, " + signedZei;
        if (!debit)
            script.Add({i + "  END", i + "  ELSE", i + "  BEGIN"});
        script.Add({
            i + "    UPDATE KAMOKU_MS",
            i + "       SET " + side + "_NUK = COALESCE(" + side + "_NUK, 0) " + sign + " " + nuk + ",",
            i + "           " + side + "_TAX = COALESCE(" + side + "_TAX, 0) " + sign + " " + zei,
            i + "     WHERE " + msKey1,
            i + "       " + msKey2 + ";",
            i + "    UPDATE KAMOKU_TAX SET " + side + " = COALESCE(" + side + ", 0) " + sign + " " + zei,
            i + "     WHERE " + taxKey + ";",
            i + "    IF (ROW_COUNT = 0 AND " + zei + " <> 0",
            i + "        AND " + r + "SCODE IS NOT NULL AND VTAXBCODE IS NOT NULL",
            i + "        AND " + r + "TAXUH IS NOT NULL AND " + r + "MNUM IS NOT NULL) THEN",
            i + "      INSERT INTO KAMOKU_TAX (SCODE, BCODE, KKUBUN, MNUM, KAR, KAS)",
            i + "      VALUES (" + r + "SCODE, :VTAXBCODE, " + r + "TAXUH, " + r + "MNUM, " + taxValues + ");",
        });
    }
    script.Add({
        i + "  END",
        i + "END",
    });
}

// The variables AddPosting uses.
void AddPostingVariables(TUpdateScript& script)
{
    script.Add({
        "  DECLARE VARIABLE VBUMON INTEGER;",
        "  DECLARE VARIABLE VTAXBCODE VARCHAR(6) CHARACTER SET ASCII;",
    });
}

// TRANSKBN of the assets a fixed-asset line of row refers to, set to value.
// A key starting "2-A" names the asset's account and sub-account through the
// REC of the HOJOMST row, so every asset of the facility on that account and
// sub-account is meant; any other key names the asset by its REC.
void AddAssetMark(TUpdateScript& script, const std::string& row, const std::string& value,
                  const std::string& indent, bool recWithFacility)
{
    script.Add({
        indent + "IF (LEFT(" + row + ".LINKKEY, 3) = '2-A') THEN",
        indent + "  UPDATE KS_SISAN K SET TRANSKBN = " + value,
        indent + "   WHERE K.SCODE = " + row + ".SCODE",
        indent + "     AND EXISTS (SELECT 1 FROM HOJOMST H",
        indent + "                  WHERE H.REC = " + row + ".LINKREC",
        indent + "                    AND H.KCODE || H.HCODE = K.KCODE || K.HCODE);",
        indent + "ELSE",
        indent + "  UPDATE KS_SISAN SET TRANSKBN = " + value,
        indent + "   WHERE REC = " + row + ".LINKREC" + (recWithFacility ? " AND SCODE = " + row + ".SCODE;" : ";"),
    });
}

}  // namespace

void AddJournalTriggers(TUpdateScript& script)
{
    script.Add({
        "CREATE TRIGGER SIWAKE_AFTER_INSERT FOR SIWAKE",
        "ACTIVE AFTER INSERT POSITION 0",
        "AS",
    });
    AddPostingVariables(script);
    script.Add({
        "BEGIN",
        "  /* Only live lines count in the totals. */",
        "  IF (NEW.DELFLG = 0) THEN",
    });
    AddPosting(script, "+", "NEW", "    ");
    script.Add({
        "  /* A line made from the fixed-asset register marks its asset as",
        "     transferred, whatever its state. */",
        "  IF (NEW.LINKKUB = 8) THEN",
        "  BEGIN",
    });
    AddAssetMark(script, "NEW", "1", "    ", false);
    script.Add({
        "  END",
        "END ^",
    });

    script.Add({
        "CREATE TRIGGER SIWAKE_AFTER_UPDATE FOR SIWAKE",
        "ACTIVE AFTER UPDATE POSITION 0",
        "AS",
        "  DECLARE VARIABLE VCOUNT INTEGER;",
    });
    AddPostingVariables(script);
    script.Add({
        "BEGIN",
        "  /* A live line whose posted values stay as they were (a flag, a text",
        "     changed) leaves the balance rows alone. A null among them takes",
        "     the long way below, which ends with the same totals. */",
        "  IF (OLD.DELFLG = 0 AND NEW.DELFLG = 0",
        "      AND NEW.SCODE = OLD.SCODE AND NEW.BCODE = OLD.BCODE AND NEW.KCODE = OLD.KCODE",
        "      AND NEW.HCODE = OLD.HCODE AND NEW.MNUM = OLD.MNUM AND NEW.TAISHAKU = OLD.TAISHAKU",
        "      AND NEW.TAXUH = OLD.TAXUH AND NEW.NUK = OLD.NUK AND NEW.ZEI = OLD.ZEI) THEN",
        "    EXIT;",
        "  /* The totals hold the live lines: what was live leaves them with its",
        "     old values, what is live enters them with its new ones. Voiding,",
        "     superseding, restoring from either state and changing a live line",
        "     all follow from these two steps. */",
        "  IF (OLD.DELFLG = 0) THEN",
    });
    AddPosting(script, "-", "OLD", "    ");
    script.Add("  IF (NEW.DELFLG = 0) THEN");
    AddPosting(script, "+", "NEW", "    ");
    script.Add({
        "  /* A voided fixed-asset line unmarks its asset only when no line links",
        "     to it any more. The count takes every linked line of the facility,",
        "     voided ones too, this one included. */",
        "  IF (OLD.DELFLG = 0 AND NEW.DELFLG IS DISTINCT FROM 0 AND OLD.LINKKUB = 8) THEN",
        "  BEGIN",
        "    SELECT COUNT(*) FROM SIWAKE",
        "     WHERE SCODE = OLD.SCODE AND LINKKUB = 8 AND LINKREC = OLD.LINKREC",
        "      INTO :VCOUNT;",
        "    IF (VCOUNT = 0) THEN",
        "    BEGIN",
    });
    AddAssetMark(script, "OLD", "0", "      ", true);
    script.Add({
        "    END",
        "  END",
        "END ^",
    });
}

void AddMasterTriggers(TUpdateScript& script)
{
    script.Add({
        "CREATE TRIGGER SISETUMST_AFTER_INSERT FOR SISETUMST",
        "ACTIVE AFTER INSERT POSITION 0",
        "AS",
        "  DECLARE VARIABLE I INTEGER;",
        "  DECLARE VARIABLE VCREC INTEGER;",
        "  DECLARE VARIABLE VNEWCREC INTEGER;",
        "  DECLARE VARIABLE VSORTCODE INTEGER;",
        "  DECLARE VARIABLE VTEXT VARCHAR(50);",
        "  DECLARE VARIABLE VKANA VARCHAR(10);",
        "  DECLARE VARIABLE VROW INTEGER;",
        "  DECLARE VARIABLE VCOL INTEGER;",
        "  DECLARE VARIABLE VKARK VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE VKARH VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE VKART INTEGER;",
        "  DECLARE VARIABLE VKASK VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE VKASH VARCHAR(6) CHARACTER SET ASCII;",
        "  DECLARE VARIABLE VKAST INTEGER;",
        "BEGIN",
        "  INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE)",
        "  SELECT NEW.SCODE, K.KCODE, H.HCODE, ' '",
        "    FROM KAMOKUMST K INNER JOIN HOJOMST H ON (H.KCODE = K.KCODE)",
        "   WHERE K.USE = 1",
        "   ORDER BY K.GROUPM1, K.KCODE, H.HCODE;",
        "  EXECUTE PROCEDURE SP_KAMOKU_TAX_INSERT (NEW.SCODE, ' ');",
        "  I = 1;",
        "  WHILE (I <= 50) DO",
        "  BEGIN",
        "    INSERT INTO TORDICTI (CREC, SCODE, SORTCODE, TEXT) VALUES (:I, NEW.SCODE, :I, '');",
        "    INSERT INTO SWKDICTI (REC, SCODE, SORTCODE, TEXT, E_HIZUKE, E_SIWAKE, E_KINGAKU, E_TEKIYOU,",
        "                          E_TORIHIKI, E_CARET)",
        "    VALUES (:I, NEW.SCODE, :I, '', 1, 0, 1, 0, 0, 0);",
        "    I = I + 1;",
        "  END",
        "  /* The summary dictionary from its template: each heading under a new",
        "     number, its entries with sub-accounts the chart may lack replaced. */",
        "  FOR SELECT CREC, SORTCODE, TEXT FROM ORGDIC_1 ORDER BY REC",
        "       INTO :VCREC, :VSORTCODE, :VTEXT DO",
        "  BEGIN",
        "    VNEWCREC = GEN_ID(TEKDICTI_GEN, 1);",
        "    INSERT INTO TEKDICTI (CREC, SCODE, SORTCODE, TEXT) VALUES (:VNEWCREC, NEW.SCODE, :VSORTCODE, :VTEXT);",
        "    FOR SELECT KANA, TEXT, \"ROW\", COL, KAR_KCODE, KAR_HCODE, KAR_TAXCODE, KAS_KCODE, KAS_HCODE, KAS_TAXCODE",
        "          FROM ORGDIC_2 WHERE CREC = :VCREC ORDER BY REC",
        "          INTO :VKANA, :VTEXT, :VROW, :VCOL, :VKARK, :VKARH, :VKART, :VKASK, :VKASH, :VKAST DO",
        "    BEGIN",
        "      IF (VKARH IS NOT NULL) THEN",
        "        EXECUTE PROCEDURE SP_HOJO_EXIST (:VKARK, :VKARH) RETURNING_VALUES :VKARH;",
        "      IF (VKASH IS NOT NULL) THEN",
        "        EXECUTE PROCEDURE SP_HOJO_EXIST (:VKASK, :VKASH) RETURNING_VALUES :VKASH;",
        "      INSERT INTO TEKDIC",
        "      VALUES (0, :VNEWCREC, :VKANA, 0, :VTEXT, NEW.SCODE, :VROW, :VCOL, :VKARK, :VKARH, NULL, :VKART,",
        "              :VKASK, :VKASH, NULL, :VKAST, 0, 0, 0, 0, 0, NULL);",
        "    END",
        "  END",
        "  INSERT INTO KS_TRANSSWK VALUES (NEW.SCODE, -1, -1, -1, -1, -1, '');",
        "  EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_SISETU (NEW.SCODE);",
        "  /* Head counts of the periods of this year and the two before. */",
        "  I = -31;",
        "  WHILE (I <= 16) DO",
        "  BEGIN",
        "    INSERT INTO ACCDEF5 (SCODE, BCODE, MNUM) VALUES (NEW.SCODE, ' ', :I);",
        "    I = I + 1;",
        "  END",
        "  INSERT INTO YOSOKUINF (SCODE, BCODE) VALUES (NEW.SCODE, ' ');",
        "  IF (NEW.BUMEX = 1) THEN",
        "    INSERT INTO SISETUBUM (SCODE, BCODE)",
        "    SELECT NEW.SCODE, BCODE FROM BUMONMST WHERE BCODE <> ' ' ORDER BY BCODE;",
        "END ^",
    });

    script.Add({
        "CREATE TRIGGER KAMOKUMST_AFTER_INSERT FOR KAMOKUMST",
        "ACTIVE AFTER INSERT POSITION 0",
        "AS",
        "BEGIN",
        "  INSERT INTO HOJOMST (KCODE, HCODE, HNAME, TAX_LCODE, TAX_RCODE, BPFLG)",
        "  VALUES (NEW.KCODE, ' ', '', NEW.TAX_LCODE, NEW.TAX_RCODE, NEW.BPFLG);",
        "  /* Groups are four-digit texts; one that is no number (an account",
        "     still without its group) is no asset group and must not stop the",
        "     account from being added. */",
        "  IF (NEW.GROUPM1 SIMILAR TO '[0-9]+') THEN",
        "    EXECUTE PROCEDURE SP_KS_INSSETSWK_CALL_KAMOKU (NEW.KCODE, CAST(NEW.GROUPM1 AS INTEGER));",
        "END ^",
    });
}

void AddHeadCountProcedure(TUpdateScript& script)
{
    // The twelve months of a year are the periods 1-3, 5-7, 9-11 and 13-15
    // (each fourth period settles a quarter and holds no month); the same
    // periods less 16 are the year before, less 32 the year before that.
    static const char* const years[] = {"T_NINZU", "Z_NINZU", "ZZ_NINZU"};

    script.Add({
        "ALTER PROCEDURE SP_MB_SELECT_SYUGYOU (",
        "    PSCODE VARCHAR(6) CHARACTER SET ASCII,",
        "    PBCODE VARCHAR(6) CHARACTER SET ASCII)",
        "RETURNS (",
    });
    for (int year = 0; year < 3; ++year)
        for (int month = 1; month <= 12; ++month)
            script.Add("    " + std::string(years[year]) + std::to_string(month) + " INTEGER" +
                       (year == 2 && month == 12 ? ")" : ","));
    script.Add({
        "AS",
        "  DECLARE VARIABLE VMNUM INTEGER;",
        "  DECLARE VARIABLE VNUM INTEGER;",
        "BEGIN",
        "  /* An empty facility or department means all of them. */",
        "  IF (COALESCE(PSCODE, '') = '') THEN PSCODE = ' ';",
        "  IF (COALESCE(PBCODE, '') = '') THEN PBCODE = ' ';",
        "  FOR SELECT MNUM, SUM(NUM1) FROM ACCDEF5",
        "       WHERE (:PSCODE = ' ' OR SCODE = :PSCODE)",
        "         AND (:PBCODE = ' ' OR BCODE = :PBCODE)",
        "       GROUP BY MNUM",
        "       ORDER BY MNUM",
        "        INTO :VMNUM, :VNUM DO",
        "  BEGIN",
    });
    for (int year = 0; year < 3; ++year)
        for (int month = 1; month <= 12; ++month) {
            const int period = month + (month - 1) / 3 - 16 * year;
            script.Add("    IF (VMNUM = " + std::to_string(period) + ") THEN " + years[year] +
                       std::to_string(month) + " = VNUM;");
        }
    script.Add({
        "  END",
        "  SUSPEND;",
        "END ^",
    });
}

}  // namespace accupdate011
