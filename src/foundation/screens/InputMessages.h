#pragma once
// Dropping the mouse and keyboard input that waits for a window, so that
// clicks and keys made while it was busy or still hidden do not act on it
// once it shows.

class QWidget;

// Removes every mouse, wheel and key event still waiting for the window or
// any widget inside it.
void FlushInputMessages(QWidget* window);
