#pragma once
// The paste block of the code fields: while an edit's input method is
// disabled, nothing may be pasted into it, by any road the platform offers.

#include <QEvent>

// Whether the event would paste or open the context menu: a right or middle
// button press (the middle button pastes the selection here), the paste
// keys, a context-menu request, or something dropped on the edit.
bool IsPasteRequest(const QEvent* event);
