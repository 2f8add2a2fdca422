#include "controls/printdialogs/TPrintDlgBox.h"

#include "controls/print/ReportColourStore.h"
#include "controls/printdialogs/TPrnColorSetBox.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "foundation/UserMessage.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

constexpr int FormWidth = 457;
constexpr int DialogDesignHeight = 174;
constexpr int RowHeight = 30;

TxPlButton* MakeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new TxPlButton(QString::fromUtf8(name), parent);
    b->setObjectName(QString::fromUtf8(name));
    TxPlBtnCaption c;
    c.Caption = caption;
    b->SetCaptionA(c);
    return b;
}

}  // namespace

TPrintDlgBox::TPrintDlgBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("PrintDlgBox"));
    resize(FormWidth, DialogDesignHeight);

    lblMain = new QLabel(this);
    lblMain->setObjectName(QStringLiteral("lblMain"));
    lblMain->setGeometry(16, 10, FormWidth - 32, 20);

    lblColor = new QLabel(QStringLiteral("色指定:"), this);
    grpColor = new QGroupBox(this);
    grpColor->resize(200, 28);
    rbMono = new TxRadioButton(QStringLiteral("白黒印刷"), grpColor);
    rbMono->setGeometry(8, 4, 90, 20);
    rbMono->setChecked(true);
    rbColor = new TxRadioButton(QStringLiteral("カラー印刷"), grpColor);
    rbColor->setGeometry(100, 4, 96, 20);
    btnColorSelect = MakeButton(this, "btnColorSelect", QStringLiteral("色選択"));
    btnColorSelect->resize(72, 26);
    btnColorSelect->OnClick = [this](QObject*) { ColorSelectClick(); };

    lblStartPage = new QLabel(QStringLiteral("開始ﾍﾟｰｼﾞ:"), this);
    txtStartPage = new TxEdit(this);
    txtStartPage->setObjectName(QStringLiteral("txtStartPage"));
    txtStartPage->resize(60, 22);
    txtStartPage->setText(QStringLiteral("1"));
    txtStartPage->SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtStartPage->SetImeMode(imDisable);

    chkBothSides = new TxCheckBox(QStringLiteral("両面印刷用に余白を調整する"), this);
    chkBothSides->resize(300, 20);

    memHint = new QPlainTextEdit(this);
    memHint->setObjectName(QStringLiteral("memHint"));
    memHint->setReadOnly(true);
    memHint->setFocusPolicy(Qt::NoFocus);
    HintMemo = memHint;

    btnPreview = MakeButton(this, "btnPreview", QStringLiteral("プレビュー"));
    btnCopy = MakeButton(this, "btnCopy", QStringLiteral("コピー"));
    btnOK = MakeButton(this, "btnOK", QStringLiteral("OK"));
    btnCancel = MakeButton(this, "btnCancel", QStringLiteral("キャンセル"));
    btnCancel->Cancel = true;
    btnPreview->OnClick = [this](QObject*) {
        OkClick(2);
        done(mrOk);
    };
    btnCopy->OnClick = [this](QObject*) {
        OkClick(3);
        done(mrOk);
    };
    btnOK->OnClick = [this](QObject*) {
        OkClick(1);
        done(mrOk);
    };
    btnCancel->OnClick = [this](QObject*) { done(mrCancel); };

    try {
        FormCreate();
        KeepOnClose = true;
        CreatedOK = true;
    } catch (const std::exception&) {
        // CreatedOK stays false: the first show says so and closes.
    }
}

void TPrintDlgBox::Setup(bool initFlag)
{
    initFlag_ = initFlag;
    LoadHints();
    ApplyOptions();
    PositionPending = false;
}

void TPrintDlgBox::PlaceRows(const std::vector<std::vector<QWidget*>>& rows)
{
    int top = 40;
    for (const auto& row : rows) {
        if (row.front()->isHidden())
            continue;
        int left = 16;
        for (QWidget* w : row) {
            w->move(left, top + (RowHeight - w->height()) / 2);
            left += (w == row.front() ? 80 : w->width() + 10);
        }
        top += RowHeight;
    }
    const int buttonsTop = height() - 44;
    memHint->setGeometry(16, top + 4, FormWidth - 32, std::max(24, buttonsTop - top - 12));
    int left = FormWidth - 16;
    for (TxPlButton* b : {btnCancel, btnOK, btnCopy, btnPreview}) {
        if (b->isHidden())
            continue;
        left -= 96;
        b->setGeometry(left, buttonsTop, 88, 32);
    }
}

void TPrintDlgBox::ApplyOptions()
{
    PrintAction = 0;
    setWindowTitle(DlgCaption);
    lblMain->setText(DlgMessage);
    QPalette palette = lblMain->palette();
    palette.setColor(QPalette::WindowText,
                     DlgMessageColor.isValid() ? DlgMessageColor : this->palette().color(QPalette::WindowText));
    lblMain->setPalette(palette);
    for (QWidget* w : std::initializer_list<QWidget*>{lblColor, grpColor, btnColorSelect})
        w->setVisible(ShowColorChoice);
    lblStartPage->setVisible(ShowStartPage);
    txtStartPage->setVisible(ShowStartPage);
    chkBothSides->setVisible(ShowBothSides);
    btnPreview->setVisible(ShowPreview);
    btnCopy->setVisible(ShowCopy);
    if (PositionPending) {
        int h = DialogDesignHeight;
        if (ShowColorChoice)
            h = 250;
        if (ShowStartPage || ShowBothSides)
            h = 300;
        resize(FormWidth, h);
    }
    PlaceRows({{lblColor, grpColor, btnColorSelect}, {lblStartPage, txtStartPage}, {chkBothSides}});
    if (PrintRec && PerReportColors && !PrintRec->ReportName.empty())
        ReadReportColours(*PrintRec);
    SaveRestore("Fukugen");
}

void TPrintDlgBox::LoadHints()
{
    const auto hint = [](QWidget* w, const char* text) { w->setToolTip(QString::fromUtf8(text)); };
    hint(rbMono, "白黒で印刷する場合に選択します。|白黒で印刷する場合に選択します。");
    hint(rbColor,
         "色付きで印刷する場合に選択します。|色付きで印刷する場合に選択します。\r\n"
         "「色選択」ﾎﾞﾀﾝを押すと好みの色に変更できます。");
    hint(btnColorSelect,
         "「色選択」画面を開きます。|「色選択」画面を開きます。\r\n"
         "「ｶﾗｰ印刷」を行う場合の色を指定します。");
    hint(txtStartPage, "1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。|1ﾍﾟｰｼﾞ目のﾍﾟｰｼﾞ番号を指定します。");
    hint(chkBothSides,
         "偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。|偶数ﾍﾟｰｼﾞの余白を右側に取る場合にﾁｪｯｸします。\r\n"
         "両面への印刷は「印刷」ﾎﾞﾀﾝ押下後に表示する「印刷」画面で「ﾌﾟﾛﾊﾟﾃｨ」ﾎﾞﾀﾝを押して設定します。");
    hint(btnPreview, "帳票の印刷ｲﾒｰｼﾞを画面に表示します。|帳票の印刷ｲﾒｰｼﾞを画面に表示します。");
    hint(btnCopy,
         "帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。|帳票の情報をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。\r\n"
         "ｺﾋﾟｰした情報はﾜｰﾌﾟﾛｿﾌﾄ、表計算ｿﾌﾄで貼り付けられます。");
    hint(btnOK, "帳票を印刷します。|帳票を印刷します。");
    hint(btnCancel, "印刷を取り止めます。|印刷を取り止めます。");
}

void TPrintDlgBox::SaveRestore(const std::string& text)
{
    std::string upper = text;
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    if (!PrintRec)
        return;
    if (upper == "HOZON") {
        std::string lines;
        if (ShowColorChoice && rbColor->isChecked())
            lines += "C010=1\r\n";
        if (ShowBothSides && chkBothSides->isChecked())
            lines += "C020=1\r\n";
        PrintRec->SavedChoices = lines;
    } else if (upper == "FUKUGEN") {
        const std::string& saved = PrintRec->SavedChoices;
        if (ShowColorChoice && SavedChoice(saved, "C010") == "1") {
            PrintRec->ColorPrint = 1;
            rbColor->setChecked(true);
        }
        if (ShowBothSides && SavedChoice(saved, "C020") == "1") {
            PrintRec->BothSides = true;
            chkBothSides->setChecked(true);
        }
    }
}

void TPrintDlgBox::OkClick(int action)
{
    if (PrintRec) {
        PrintRec->ColorPrint = rbColor->isChecked() ? 1 : 0;
        bool ok = false;
        const int start = txtStartPage->text().trimmed().toInt(&ok);
        PrintRec->StartPage = ok && start != 0 ? start : 1;
        PrintRec->BothSides = chkBothSides->isChecked();
    }
    SaveRestore("Hozon");
    PrintAction = action;
}

void TPrintDlgBox::ColorSelectClick()
{
    if (!PrintRec)
        return;
    try {
        TPrnColorSetBox box(this);
        box.PerReport = PerReportColors;
        box.FrameLineColor = PrintRec->LineColor1;
        box.GridLineColor = PrintRec->LineColor2;
        box.HeadingColor = PrintRec->NetColor1;
        box.TotalColor = PrintRec->NetColor2;
        box.SetFormPosition(0, 0, 0, 0, 2);
        box.Setup(true);
        if (box.exec() != mrOk)
            return;
        PrintRec->LineColor1 = box.FrameLineColor;
        PrintRec->LineColor2 = box.GridLineColor;
        PrintRec->NetColor1 = box.HeadingColor;
        PrintRec->NetColor2 = box.TotalColor;
        // The new colours are kept at once, not only when this dialog closes.
        if (PerReportColors && !PrintRec->ReportName.empty())
            WriteReportColours(*PrintRec);
    } catch (const std::exception& e) {
        ShowUserMessage(e.what(), TMsgDlgType::mtError);
    }
}

void TPrintDlgBox::done(int result)
{
    hide();
    if (PrintRec && PerReportColors && !PrintRec->ReportName.empty())
        WriteReportColours(*PrintRec);
    TBSDI::done(result);
}

void TPrintDlgBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    if (!CheckCreatedOK())
        return;
    btnOK->setFocus();
}
