#include "foundation/UserMessage.h"

#include <cstdio>

namespace {
IMessagePresenter* installedPresenter = nullptr;
}

void SetMessagePresenter(IMessagePresenter* presenter)
{
    installedPresenter = presenter;
}

IMessagePresenter* MessagePresenter()
{
    return installedPresenter;
}

TModalResult ModalResultOf(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return mrYes;
    case TMsgDlgBtn::mbNo:
        return mrNo;
    case TMsgDlgBtn::mbOK:
        return mrOk;
    case TMsgDlgBtn::mbCancel:
        return mrCancel;
    case TMsgDlgBtn::mbAbort:
        return mrAbort;
    case TMsgDlgBtn::mbRetry:
        return mrRetry;
    case TMsgDlgBtn::mbIgnore:
        return mrIgnore;
    }
    return mrNone;
}

TModalResult ShowUserMessage(const TUserMessage& message)
{
    if (installedPresenter)
        return installedPresenter->Present(message);
    std::string text = message.Text;
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    std::fprintf(stderr, "%s\n", text.c_str());
    if (message.Buttons.empty())
        return mrOk;
    const auto index = static_cast<std::size_t>(message.DefaultButton);
    return ModalResultOf(message.Buttons[index < message.Buttons.size() ? index : 0]);
}

TModalResult ShowUserMessage(const std::string& text, TMsgDlgType type, std::vector<TMsgDlgBtn> buttons,
                             int defaultButton)
{
    TUserMessage message;
    message.Text = text;
    message.Type = type;
    message.Buttons = std::move(buttons);
    message.DefaultButton = defaultButton;
    return ShowUserMessage(message);
}
