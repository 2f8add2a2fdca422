#pragma once
// A call made once a widget has been drawn for the first time.

#include <functional>

class QWidget;

// Runs the call from the event loop right after the widget's first paint
// event has been handled. The watch lives with the widget.
void CallAfterFirstPaint(QWidget& widget, std::function<void()> call);
