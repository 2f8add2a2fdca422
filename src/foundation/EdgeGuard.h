#pragma once
// The edge of a screen's handler: no exception may leave it into the
// window system's event loop, which cannot carry one. Every slot, event
// handler and queued call of a screen runs its work through RunAtEdge.
//
// An EAbort (controls/Abort.h) means the user has already been told what is
// wrong: it just stops the work. Any other error is shown as an error
// message through the message interface (UserMessage.h).

#include <functional>
#include <string>

// The text shown for an error that carries no message of its own.
inline constexpr const char* UnknownErrorMessage = "予期しないエラーが発生しました。";

// Runs the work; true when it ended without an exception.
bool RunAtEdge(const std::function<void()>& work);
