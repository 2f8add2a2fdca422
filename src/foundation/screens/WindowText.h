#pragma once
// Window lookup and text measuring for the screens.

#include <QFont>
#include <QString>
#include <QWidget>

// The shown or hidden top-level window whose class (the widget's class
// name) and caption match; an empty class name or caption is not compared.
// nullptr when both are empty or nothing matches. "desktop" in any letter
// case asks for the desktop's icon list, which no desktop here offers to a
// program: nullptr.
QWidget* FindWindowEx2(const QString& className, const QString& windowName);

// The width in pixels of text drawn in font, times factor, truncated.
int GetTextWidth(const QString& text, const QFont& font, double factor);
