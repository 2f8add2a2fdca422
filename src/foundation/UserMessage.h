#pragma once
// How code without a screen shows a message to the user.
//
// The engine never touches a window: it describes the message and hands it to
// the presenter that the screens install at start-up (tests install one that
// records and answers). Line breaks inside texts are "\r", as the program's
// message texts are written; the presenter turns them into lines.

#include <string>
#include <vector>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };

// Modal results, with the values the screens' dialogs return.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

struct TUserMessage {
    std::string Text;
    std::string Caption;  // empty: the application title
    TMsgDlgType Type = TMsgDlgType::mtInformation;
    std::vector<TMsgDlgBtn> Buttons{TMsgDlgBtn::mbOK};
    // Index into Buttons of the button that has the focus at first.
    int DefaultButton = 0;
};

class IMessagePresenter {
public:
    virtual ~IMessagePresenter() = default;
    // Shows the message modally and returns the modal result of the button
    // the user pressed (mrCancel when the dialog was closed otherwise).
    virtual TModalResult Present(const TUserMessage& message) = 0;
};

// Installs the presenter (not owned; nullptr removes it).
void SetMessagePresenter(IMessagePresenter* presenter);
IMessagePresenter* MessagePresenter();

// Shows a message through the installed presenter. Without one (a tool run
// without screens) the text goes to standard error and the default button
// is taken.
TModalResult ShowUserMessage(const TUserMessage& message);
TModalResult ShowUserMessage(const std::string& text, TMsgDlgType type,
                             std::vector<TMsgDlgBtn> buttons = {TMsgDlgBtn::mbOK}, int defaultButton = 0);

// The modal result a button gives.
TModalResult ModalResultOf(TMsgDlgBtn button);
