#include "controls/dialogs/TInputDlgBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "calc/FiscalDates.h"
#include "controls/dialogs/DialogKeys.h"
#include "controls/dialogs/TextInputGuard.h"
#include "controls/widgets/TLedrixEdit.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/EdgeGuard.h"
#include "foundation/StringUtils.h"
#include "foundation/UserMessage.h"

namespace {

constexpr int DesignWidth = 427;
constexpr int DesignHeight = 251;
const QRect InputPanelRect{16, 64, 395, 56};
const char* const HintProperty = "inputHint";

void SetHint(QWidget* widget, const QString& hint)
{
    widget->setProperty(HintProperty, hint);
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
}

TxPlButton* MakeButton(const QString& name, const QString& caption, int result, QWidget* parent)
{
    auto* button = new TxPlButton(name, parent);
    TxPlBtnCaption text = button->CaptionA();
    text.Caption = caption;
    button->SetCaptionA(text);
    button->ModalResult = result;
    return button;
}

QWidget* MakePanel(const QString& name, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(InputPanelRect);
    return panel;
}

void SetupDateEdit(TLedrixExDateEdit* edit, TDateTime minDate, TDateTime maxDate, TDateTime value, const QString& hint)
{
    edit->SetEditStyle(desYearMonthDay);
    edit->SetCanEmpty(true);
    edit->SetWarekiTable(GengoTable());
    edit->SetEditGengo(true);
    edit->SetGengo(rsWareki);
    edit->SetMinDate(minDate);
    edit->SetMaxDate(maxDate);
    if (value == 0)
        edit->ClearExDateEdit();
    else
        edit->SetExDateEditValue(value);
    SetHint(edit, hint);
}

}  // namespace

QString LongHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

TInputDlgBox::TInputDlgBox(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("InputDlgBox"));
    setFixedSize(DesignWidth, DesignHeight);

    lblMain = new QLabel(this);
    lblMain->setObjectName(QStringLiteral("lblMain"));
    lblMain->setWordWrap(true);
    lblMain->setTextFormat(Qt::PlainText);
    lblMain->setGeometry(16, 12, InputPanelRect.width(), 44);

    pnlText = MakePanel(QStringLiteral("pnlText"), this);
    txtInput = new TxEdit(pnlText);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    txtInput->setGeometry(0, 0, InputPanelRect.width(), 24);
    // The password shows one "*" a character, whatever the style's own mark.
    txtInput->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    btnFuseji = new TxCheckBox(QStringLiteral("伏字にせず入力"), pnlText);
    btnFuseji->setObjectName(QStringLiteral("btnFuseji"));
    btnFuseji->move(0, 30);
    btnFuseji->adjustSize();
    SetHint(btnFuseji,
            QStringLiteral(
                "パスワードを伏字にせず入力します。|チェックを入れるとパスワードを伏字にしないで入力が行えます。"));
    connect(btnFuseji, &QCheckBox::toggled, this, [this] { ApplyMask(); });
    textGuard_ = new TextInputGuard(txtInput);

    pnlCombo = MakePanel(QStringLiteral("pnlCombo"), this);
    cmbInput = new TxComboBox(pnlCombo);
    cmbInput->setObjectName(QStringLiteral("cmbInput"));
    cmbInput->setEditable(true);
    cmbInput->setMaxVisibleItems(16);
    cmbInput->setGeometry(0, 0, InputPanelRect.width(), 24);
    cmbInput->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    comboGuard_ = new TextInputGuard(cmbInput->lineEdit());

    pnlKingaku = MakePanel(QStringLiteral("pnlKingaku"), this);
    txtKingaku = new TLedrixEdit(pnlKingaku);
    txtKingaku->setObjectName(QStringLiteral("txtKingaku"));
    txtKingaku->EditStyle = esNumericMinus;
    txtKingaku->setAlignment(Qt::AlignRight);
    txtKingaku->SetOutputFormat(QStringLiteral("#,##0"));
    txtKingaku->SetComma(true);
    txtKingaku->SetMaxLength(11);
    txtKingaku->SetImeMode(imDisable);
    txtKingaku->setGeometry(0, 0, 140, 24);
    auto* yen = new QLabel(QStringLiteral("円"), pnlKingaku);
    yen->move(146, 4);

    pnlDate = MakePanel(QStringLiteral("pnlDate"), this);
    auto* from = new QLabel(QStringLiteral("(自)"), pnlDate);
    from->move(0, 4);
    txtHizuke1 = new TLedrixExDateEdit(pnlDate);
    txtHizuke1->setObjectName(QStringLiteral("txtHizuke1"));
    txtHizuke1->move(32, 0);
    auto* to = new QLabel(QStringLiteral("(至)"), pnlDate);
    to->move(0, 32);
    txtHizuke2 = new TLedrixExDateEdit(pnlDate);
    txtHizuke2->setObjectName(QStringLiteral("txtHizuke2"));
    txtHizuke2->move(32, 28);

    HintArea = new QLabel(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setWordWrap(true);
    HintArea->setFrameShape(QFrame::StyledPanel);
    HintArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HintArea->setGeometry(16, 128, InputPanelRect.width(), 70);

    btnOK = MakeButton(QStringLiteral("btnOK"), QStringLiteral("OK"), 0, this);
    btnOK->setGeometry(DesignWidth - 2 * 96 - 16, DesignHeight - 42, 90, 28);
    SetHint(btnOK, QStringLiteral("内容を確定します。|内容を確定します。"));
    btnOK->OnClick = [this](QObject*) { RunAtEdge([this] { btnOKClick(); }); };
    btnCancel = MakeButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), 2, this);
    btnCancel->setGeometry(DesignWidth - 96 - 16, DesignHeight - 42, 90, 28);
    SetHint(btnCancel, QStringLiteral("画面を閉じます。|画面を閉じます。"));
    btnHelp = MakeButton(QStringLiteral("btnHelp"), QStringLiteral("F1:ヘルプ"), 0, this);
    btnHelp->setGeometry(16, DesignHeight - 42, 90, 28);
    btnHelp->hide();

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this)
            ShowHintOf(now);
    });
    SetupInputDlg(false);
}

void TInputDlgBox::ShowHintOf(QWidget* widget)
{
    // A box inside a control (the date edit's boxes, the combo's edit)
    // shows the hint of the control.
    for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        const QVariant hint = w->property(HintProperty);
        if (hint.isValid()) {
            HintArea->setText(LongHint(hint.toString()));
            return;
        }
    }
    HintArea->clear();
}

void TInputDlgBox::SetupInputDlg(bool initFlag)
{
    initFlag_ = initFlag;
    setWindowTitle(QString::fromStdString(DlgCaption));
    lblMain->setText(QString::fromStdString(Prompt));
    QPalette palette = lblMain->palette();
    palette.setColor(QPalette::WindowText,
                     PromptColor.isValid() ? PromptColor : this->palette().color(QPalette::WindowText));
    lblMain->setPalette(palette);
    const QString hint = QString::fromStdString(InputHint);

    pnlText->setVisible(InputKind == 0 || InputKind == 1 || InputKind < 0 || InputKind > 4);
    pnlCombo->setVisible(InputKind == 2);
    pnlKingaku->setVisible(InputKind == 3);
    pnlDate->setVisible(InputKind == 4);
    switch (InputKind) {
    case 2:
        cmbInput->clear();
        for (const auto& item : ComboItems)
            cmbInput->addItem(QString::fromStdString(item));
        // A value among the items selects it; any other stays as typed text.
        if (const auto item = std::find(ComboItems.begin(), ComboItems.end(), Value); item != ComboItems.end()) {
            cmbInput->SetItemIndex(static_cast<int>(item - ComboItems.begin()));
        } else {
            cmbInput->SetItemIndex(-1);
            cmbInput->setEditText(QString::fromStdString(Value));
        }
        SetHint(cmbInput, hint);
        comboGuard_->SetMaxBytes(MaxInputLength);
        break;
    case 3:
        txtKingaku->setText(QString::fromStdString(Value));
        SetHint(txtKingaku, hint);
        txtKingaku->SetMaxLength(MaxInputLength);
        break;
    case 4:
        SetupDateEdit(txtHizuke1, MinDate1, MaxDate1, Date1, hint);
        SetupDateEdit(txtHizuke2, MinDate2, MaxDate2, Date2, hint);
        break;
    default:
        txtInput->setText(QString::fromStdString(Value));
        SetHint(txtInput, hint);
        textGuard_->SetMaxBytes(MaxInputLength);
        txtInput->SetImeMode(InputImeMode);
        btnFuseji->setVisible(InputKind == 1);
        if (InputKind == 1)
            Required = true;
        ApplyMask();
        break;
    }
    SetInputCharFilter(CharFilter);
}

void TInputDlgBox::SetInputCharFilter(int filter)
{
    CharFilter = filter;
    textGuard_->SetCharFilter(filter);
}

void TInputDlgBox::ApplyMask()
{
    txtInput->setEchoMode(InputKind == 1 && !btnFuseji->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
}

void TInputDlgBox::btnOKClick()
{
    setResult(0);
    switch (InputKind) {
    case 2: {
        const std::string text = cmbInput->currentText().toStdString();
        if (Required && TrimZen(text).empty()) {
            ShowUserMessage(InputOrSelectRequiredMessage, TMsgDlgType::mtInformation);
            cmbInput->setFocus();
            return;
        }
        Value = text;
        break;
    }
    case 3: {
        const std::string text = txtKingaku->text().toStdString();
        Value = TrimZen(text).empty() ? "0" : text;
        break;
    }
    case 4:
        // A wrong date has been reported by the edit, which keeps the focus.
        Date1 = txtHizuke1->GetExDateEditValue();
        Date2 = txtHizuke2->GetExDateEditValue();
        break;
    default: {
        const std::string text = txtInput->text().toStdString();
        const std::string trimmed = TrimZen(text);
        if (Required && trimmed.empty()) {
            ShowUserMessage(InputRequiredMessage, TMsgDlgType::mtInformation);
            txtInput->setFocus();
            return;
        }
        if (std::find(RejectList.begin(), RejectList.end(), trimmed) != RejectList.end()) {
            ShowUserMessage(RejectMessage, TMsgDlgType::mtInformation);
            txtInput->setFocus();
            return;
        }
        Value = text;
        break;
    }
    }
    done(1);
}

void TInputDlgBox::reject()
{
    done(2);
}

void TInputDlgBox::keyPressEvent(QKeyEvent* event)
{
    if (!SwallowEscapePress(event))
        QDialog::keyPressEvent(event);
}

void TInputDlgBox::keyReleaseEvent(QKeyEvent* event)
{
    if (!HandleDialogKeyUp(this, event, btnOK))
        QDialog::keyReleaseEvent(event);
}

void TInputDlgBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    switch (InputKind) {
    case 2:
        cmbInput->setFocus();
        break;
    case 3:
        txtKingaku->setFocus();
        break;
    case 4:
        txtHizuke1->setFocus();
        break;
    default:
        txtInput->setFocus();
        break;
    }
}
