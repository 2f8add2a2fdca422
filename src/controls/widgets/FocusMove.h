#pragma once
// Moving the focus through a form the way the own controls do: the next or
// previous control in the form's tab order, as Tab and Shift+Tab reach it.
//
// The walk stays inside the control's own window and takes only controls
// that are shown, enabled and take the focus by Tab. When there is none, or
// the moving control itself is hidden or disabled, the focus stays where it
// is: a key rule never moves the focus out of reach, and a form whose other
// controls are all disabled does not send the walk round for ever.

#include <QKeyEvent>
#include <QWidget>

#include "controls/KeyStyles.h"

// Moves the focus on (next) or back from the control; false when it stays.
bool MoveFocusInForm(QWidget* from, bool next);

// The navigation key of a key event as the own controls read it: Enter
// (Return or the keypad's Enter without Ctrl or Alt) or an arrow key with no
// Shift, Ctrl or Alt held. Forward is set for Enter, Right and Down.
bool NavKeyStyle(const QKeyEvent* event, TKeyStyle& style, bool& forward);

// The common rule: when the key is a navigation key in the styles, the focus
// moves and the key is consumed (true); otherwise the key goes its way.
bool HandleNavKey(QWidget* control, QKeyEvent* event, TKeyStyles styles);

// The rule of the check box and the radio button: a key whose style is in
// the styles never reaches the platform's own arrow and Enter handling (no
// stepping within a group, no default button), whatever modifiers are held;
// it moves the focus when the common rule says so. True when the key is
// taken.
bool HandleButtonNavKey(QWidget* control, QKeyEvent* event, TKeyStyles styles);
