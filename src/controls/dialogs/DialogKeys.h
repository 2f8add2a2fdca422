#pragma once
// The keys every dialog of the screens answers on key-up, held Shift, Ctrl
// or Alt aside: Esc closes with cancel; F12 presses the dialog's F12 button
// when that is shown and enabled. The key-down of Esc is swallowed so that
// the dialog does not close before its key-up.

#include <QDialog>
#include <QKeyEvent>

class TxPlButton;

// True when the key-down was Esc (and so is taken).
bool SwallowEscapePress(QKeyEvent* event);
// True when the key-up was handled.
bool HandleDialogKeyUp(QDialog* dialog, QKeyEvent* event, TxPlButton* f12Button);
