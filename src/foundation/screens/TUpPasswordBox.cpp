#include "foundation/screens/TUpPasswordBox.h"

#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/ScreenServices.h"
#include "foundation/StringUtils.h"
#include "foundation/UserMessage.h"
#include "foundation/screens/LogonWidgets.h"

#include <QGroupBox>
#include <QLabel>

namespace {

constexpr int FormWidth = 380;
constexpr int FormHeight = 250;
constexpr int MaxPasswordLength = 10;

std::string S(const QString& text)
{
    return text.toStdString();
}

}  // namespace

TUpPasswordBox::TUpPasswordBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("UpPasswordBox"));
    setFixedSize(FormWidth, FormHeight);

    const THeaderPanel header = MakeHeaderPanel(this, 48);
    Label1 = MakeHeaderLabel(header, QStringLiteral("Label1"), 56, 15);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(12, 56, FormWidth - 24, 132);
    const auto edit = [this](const QString& name, const QString& hint) {
        TxEdit* e = MakeEdit(name, GroupBox1, 170, 0, 170, hint);
        e->setMaxLength(MaxPasswordLength);
        e->SetImeMode(imDisable);
        e->OnKeyPress = [](QChar& key) { FilterKey(key, IsDigitOrLetterKey); };
        return e;
    };
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("現在のパスワード:"), GroupBox1, 14, 0);
    txtPasswordNow = edit(QStringLiteral("txtPasswordNow"), QStringLiteral("現在のパスワードを入力します。"));
    Label3 = MakeLabel(QStringLiteral("Label3"), QStringLiteral("新しいパスワード:"), GroupBox1, 14, 0);
    txtPasswordNew1 = edit(QStringLiteral("txtPasswordNew1"), QStringLiteral("新しいパスワードを入力します。"));
    Label4 = MakeLabel(QStringLiteral("Label4"), QStringLiteral("新しいパスワード(確認):"), GroupBox1, 14, 0);
    txtPasswordNew2 =
        edit(QStringLiteral("txtPasswordNew2"), QStringLiteral("もう一度、新しいパスワードを入力します。"));

    btnOk = MakeDialogButton(QStringLiteral("btnOk"), QStringLiteral("OK"), 0, this);
    btnOk->setGeometry(FormWidth - 196, FormHeight - 48, 88, 32);
    btnOk->OnClick = [this](QObject*) { btnOkClick(); };
    btnCancel = MakeDialogButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), mrCancel, this);
    btnCancel->setGeometry(FormWidth - 100, FormHeight - 48, 88, 32);

    FormCreate();
    KeepOnClose = true;
    F12Button = btnOk;
    SetCurrentPassword({});
    CreatedOK = true;
}

void TUpPasswordBox::PlaceLabel(QLabel* label, TxEdit* edit, int top)
{
    const int scaled = ScalePPI(top, PixelsPerInch(), 96);
    label->move(label->x(), scaled);
    edit->move(edit->x(), scaled - ScalePPI(4, PixelsPerInch(), 96));
}

void TUpPasswordBox::SetCurrentPassword(const std::string& current)
{
    current_ = current;
    hasCurrent_ = !current.empty();
    NewPassword.clear();
    for (TxEdit* e : {txtPasswordNow, txtPasswordNew1, txtPasswordNew2})
        e->clear();
    Label2->setVisible(hasCurrent_);
    txtPasswordNow->setVisible(hasCurrent_);
    if (hasCurrent_) {
        setWindowTitle(QStringLiteral("パスワードの変更"));
        Label1->setText(QStringLiteral("パスワードを変更します。"));
        PlaceLabel(Label2, txtPasswordNow, 24);
        PlaceLabel(Label3, txtPasswordNew1, 58);
        PlaceLabel(Label4, txtPasswordNew2, 92);
    } else {
        setWindowTitle(QStringLiteral("パスワードの設定"));
        Label1->setText(QStringLiteral("パスワードを設定します。"));
        PlaceLabel(Label3, txtPasswordNew1, 42);
        PlaceLabel(Label4, txtPasswordNew2, 76);
    }
}

void TUpPasswordBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    update();
    (hasCurrent_ ? txtPasswordNow : txtPasswordNew1)->setFocus();
}

void TUpPasswordBox::btnOkClick()
{
    const auto refuse = [](const char* text, TxEdit* focus) {
        ShowUserMessage(text, TMsgDlgType::mtWarning);
        focus->setFocus();
    };
    if (hasCurrent_) {
        if (TrimZen(S(txtPasswordNow->text())).empty())
            return refuse("現在のパスワードが入力されていません。", txtPasswordNow);
        if (S(txtPasswordNow->text()) != current_)
            return refuse("現在のパスワードが入力されたパスワードと一致しません。", txtPasswordNow);
    }
    if (TrimZen(S(txtPasswordNew1->text())).empty() || TrimZen(S(txtPasswordNew2->text())).empty())
        return refuse("新しいパスワードが入力されていません。両方のボックスに入力して下さい。", txtPasswordNew1);
    if (txtPasswordNew1->text() != txtPasswordNew2->text())
        return refuse("入力されたパスワードは一致しません。", txtPasswordNew1);
    NewPassword = S(txtPasswordNew1->text());
    done(mrOk);
}
