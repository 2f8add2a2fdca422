#include "controls/widgets/TxMaskEdit.h"

#include <QKeyEvent>

#include "controls/widgets/FocusMove.h"

TxMaskEdit::TxMaskEdit(QWidget* parent) : QLineEdit(parent) {}

void TxMaskEdit::keyPressEvent(QKeyEvent* e)
{
    TKeyStyle style;
    bool forward = false;
    const bool nav = NavKeyStyle(e, style, forward) && KeyStyles.Has(style);
    // The masked edit's own Enter handling comes first; the arrows are
    // taken as they came, before they move the caret.
    if (nav && style == ksEnter)
        QLineEdit::keyPressEvent(e);
    if (nav) {
        MoveFocusInForm(this, forward);
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
