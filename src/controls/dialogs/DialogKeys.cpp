#include "controls/dialogs/DialogKeys.h"

#include "controls/widgets/TxPlButton.h"

bool SwallowEscapePress(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

bool HandleDialogKeyUp(QDialog* dialog, QKeyEvent* event, TxPlButton* f12Button)
{
    if (event->isAutoRepeat() || event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (event->key() == Qt::Key_Escape) {
        dialog->reject();
        return true;
    }
    if (event->key() == Qt::Key_F12 && f12Button && f12Button->isVisible() && f12Button->isEnabled()) {
        f12Button->setFocus();
        f12Button->Click();
        return true;
    }
    return false;
}
