#pragma once
// The presenter of the message interface (foundation/UserMessage.h) for a
// program with screens: every message of the engine shows in the rich
// message box. The program installs it at start, before any work can
// report.

#include "controls/MessageBox2Info.h"
#include "foundation/UserMessage.h"

class ScreenMessagePresenter final : public IMessagePresenter {
public:
    TModalResult Present(const TUserMessage& message) override;
};

// The message box record for a message: its lines at "\r" (the tenth line
// keeps the rest), its type and at most three of its buttons, the caption
// of the message, or the application's name, or the type's own caption.
TMessage2InfoRec MessageBoxRecordOf(const TUserMessage& message);

// Installs one presenter for the whole program (again: no change).
void InstallScreenMessagePresenter();
