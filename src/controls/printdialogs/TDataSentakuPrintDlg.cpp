#include "controls/printdialogs/TDataSentakuPrintDlg.h"

#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"

#include <QGroupBox>
#include <QLabel>

TDataSentakuPrintDlg::TDataSentakuPrintDlg(QWidget* owner) : TPrintDlgBox(owner)
{
    setObjectName(QStringLiteral("DataSentakuPrintDlg"));
    lblOrientation = new QLabel(QStringLiteral("用紙向き:"), this);
    grpOrientation = new QGroupBox(this);
    grpOrientation->resize(140, 28);
    rbPortrait = new TxRadioButton(QStringLiteral("縦"), grpOrientation);
    rbPortrait->setGeometry(8, 4, 56, 20);
    rbPortrait->setChecked(true);
    rbLandscape = new TxRadioButton(QStringLiteral("横"), grpOrientation);
    rbLandscape->setGeometry(72, 4, 56, 20);
    F12Button = btnOK;
}

void TDataSentakuPrintDlg::Setup(bool initFlag)
{
    ShowColorChoice = false;
    ShowStartPage = false;
    ShowBothSides = false;
    TPrintDlgBox::Setup(initFlag);
}

void TDataSentakuPrintDlg::ApplyOptions()
{
    PerReportColors = true;
    TPrintDlgBox::ApplyOptions();
    PlaceRows({{lblOrientation, grpOrientation}});
    PaperOrientation = 0;
    // The form's own stored value is read back but carries nothing: the
    // orientation comes from the saved choices.
    LoadScreenKeyValue();
    if (PrintRec)
        PaperOrientation = SavedChoice(PrintRec->SavedChoices, "P010") == "1" ? 1 : 0;
    (PaperOrientation == 1 ? rbLandscape : rbPortrait)->setChecked(true);
}

void TDataSentakuPrintDlg::LoadHints()
{
    TPrintDlgBox::LoadHints();
    const QString orientation = QStringLiteral(
        "印刷帳票の用紙の向きを選択します。|印刷帳票の用紙の向きを選択します。\r\n"
        "[横]を選択したときに限り、帳票上にコード情報を出力します。");
    rbPortrait->setToolTip(orientation);
    rbLandscape->setToolTip(orientation);
    for (QWidget* w : std::initializer_list<QWidget*>{btnPreview, btnOK, btnCancel})
        w->setToolTip(w->toolTip() + QStringLiteral("|[ﾌﾟﾚﾋﾞｭｰ]ﾎﾞﾀﾝを押すと画面上に印刷ｲﾒｰｼﾞを出力します。"));
}

void TDataSentakuPrintDlg::OkClick(int action)
{
    PaperOrientation = rbLandscape->isChecked() ? 1 : 0;
    TPrintDlgBox::OkClick(action);
    if (PrintRec) {
        PrintRec->SavedChoices += "P010=" + std::to_string(PaperOrientation) + "\r\n";
        ScreenKeyValue.clear();
        StoreScreenKeyValue();
    }
}
