#pragma once
// Pieces the logon, server-settings and password dialogs build alike: the
// white header panel with an icon, an own button with its caption and modal
// result, and an own edit with a label beside it.

#include <QString>

class QLabel;
class QWidget;
class TxEdit;
class TxPlButton;

struct THeaderPanel {
    QWidget* Panel = nullptr;
    QLabel* Picture = nullptr;
};

// A panel across the top of form, height pixels tall, with the information
// icon at its left.
THeaderPanel MakeHeaderPanel(QWidget* form, int height);

// A label of the header panel at (left, top), as wide as the panel allows.
QLabel* MakeHeaderLabel(const THeaderPanel& header, const QString& name, int left, int top);

TxPlButton* MakeDialogButton(const QString& name, const QString& caption, int modalResult, QWidget* parent);

// An own edit at (left, top) of the given width; hint is its tool tip.
TxEdit* MakeEdit(const QString& name, QWidget* parent, int left, int top, int width, const QString& hint = {});

QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent, int left, int top);

// A key-press handler for TxEdit::OnKeyPress that lets Enter, Backspace and
// the characters accepted by keep through and drops every other one.
void FilterKey(QChar& key, bool (*keep)(QChar));
bool IsDigitKey(QChar c);
bool IsDigitOrLetterKey(QChar c);
