// The data-selection screen's F8: the data list as the grid shows it, on
// paper or in the preview, in the orientation the operator chooses.

#include "controls/printdialogs/TDataSentakuPrintDlg.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/print/PrDataList.h"
#include "dataselect/screens/TDataSentakuBox.h"

#include <QPlainTextEdit>

void TDataSentakuBox::PrintDataList()
{
    if (IsBare(F8))
        return;
    if (dispList_.empty()) {
        ShowUserMessage("データリストが絞り込みにより表示されていません。\r", TMsgDlgType::mtInformation);
        return;
    }
    TDefaultPrintRec rec;
    InitDefaultPrintRec(rec);
    rec.ReportName = "DataSentakuList";
    TDataSentakuPrintDlg dialog(this);
    dialog.PrintRec = &rec;
    dialog.DlgCaption = QStringLiteral("データリストの印刷");
    dialog.DlgMessage = QStringLiteral("データリストを印刷します。");
    dialog.memHint->setPlainText(QStringLiteral(
        "［OK］を押すとﾃﾞｰﾀ選択ﾘｽﾄの印刷を実行します。印刷ｲﾒｰｼﾞを確認する場合は［ﾌﾟﾚﾋﾞｭｰ］を押します。"));
    dialog.Setup(true);
    if (dialog.exec() != mrOk || (dialog.PrintAction != 1 && dialog.PrintAction != 2))
        return;
    TPrDataList list;
    list.PrintSettings = rec;
    list.Rows = listCtl_->DataList;
    list.RowOrder = dispList_;
    list.Orientation = dialog.PaperOrientation;
    list.PrintList(dialog.PrintAction == 1);
}
