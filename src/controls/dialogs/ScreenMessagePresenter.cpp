#include "controls/dialogs/ScreenMessagePresenter.h"

#include <QApplication>

#include "controls/dialogs/TMessageBox2.h"

namespace {

std::uint8_t TypeOf(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning:
        return 0;
    case TMsgDlgType::mtError:
        return 1;
    case TMsgDlgType::mtInformation:
        return 2;
    case TMsgDlgType::mtConfirmation:
        return 3;
    case TMsgDlgType::mtCustom:
        break;
    }
    return 4;
}

TMessage2Button BitOf(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return mb2Yes;
    case TMsgDlgBtn::mbNo:
        return mb2No;
    case TMsgDlgBtn::mbOK:
        return mb2OK;
    case TMsgDlgBtn::mbCancel:
        return mb2Cancel;
    case TMsgDlgBtn::mbAbort:
        return mb2Abort;
    case TMsgDlgBtn::mbRetry:
        return mb2Retry;
    case TMsgDlgBtn::mbIgnore:
        return mb2Ignore;
    }
    return mb2OK;
}

}  // namespace

TMessage2InfoRec MessageBoxRecordOf(const TUserMessage& message)
{
    TMessage2InfoRec info;
    InitMessage2Info(TypeOf(message.Type), info);
    if (!message.Caption.empty())
        info.Caption = message.Caption;
    else if (qApp && !QApplication::applicationDisplayName().isEmpty())
        info.Caption = QApplication::applicationDisplayName().toStdString();

    std::size_t line = 0;
    std::size_t start = 0;
    const std::string& text = message.Text;
    while (line + 1 < info.Lines.size()) {
        const std::size_t end = text.find('\r', start);
        if (end == std::string::npos)
            break;
        info.Lines[line++].Text = text.substr(start, end - start);
        start = end + 1;
    }
    std::string rest = text.substr(std::min(start, text.size()));
    for (char& c : rest)
        if (c == '\r')
            c = '\n';
    info.Lines[line].Text = rest;

    // The buttons keep the order of the bits; the default button is found
    // again among the shown ones.
    info.Buttons = 0;
    for (const TMsgDlgBtn button : message.Buttons)
        info.Buttons |= Msg2Bit(BitOf(button));
    if (info.Buttons == 0)
        info.Buttons = Msg2Bit(mb2OK);
    const std::vector<int> shown = Message2ShownButtons(info.Buttons);
    const auto wanted = static_cast<std::size_t>(message.DefaultButton);
    if (message.DefaultButton >= 0 && wanted < message.Buttons.size()) {
        const int bit = BitOf(message.Buttons[wanted]);
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i] == bit)
                info.DefaultButton = static_cast<std::int32_t>(i);
    }
    return info;
}

TModalResult ScreenMessagePresenter::Present(const TUserMessage& message)
{
    TMessage2InfoRec info = MessageBoxRecordOf(message);
    return ShowMessageBox2(info);
}

void InstallScreenMessagePresenter()
{
    static ScreenMessagePresenter presenter;
    SetMessagePresenter(&presenter);
}
