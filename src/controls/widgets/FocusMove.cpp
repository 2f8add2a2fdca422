#include "controls/widgets/FocusMove.h"

namespace {

bool TakesTabFocus(QWidget* w, QWidget* window)
{
    return w != nullptr && w->window() == window && w->focusProxy() == nullptr && w->isEnabled() &&
           w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

}  // namespace

bool MoveFocusInForm(QWidget* from, bool next)
{
    if (from == nullptr || !from->isEnabled() || !from->isVisible())
        return false;
    QWidget* window = from->window();
    // The focus chain is a ring over every widget of the application's
    // windows; one round is the most a walk can take.
    QWidget* w = from;
    for (int guard = 0; guard < 100000; ++guard) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == nullptr || w == from)
            return false;
        if (TakesTabFocus(w, window)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

bool NavKeyStyle(const QKeyEvent* event, TKeyStyle& style, bool& forward)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        style = ksEnter;
        forward = true;
        return true;
    case Qt::Key_Left:
        style = ksLeft;
        forward = false;
        break;
    case Qt::Key_Up:
        style = ksUp;
        forward = false;
        break;
    case Qt::Key_Right:
        style = ksRight;
        forward = true;
        break;
    case Qt::Key_Down:
        style = ksDown;
        forward = true;
        break;
    default:
        return false;
    }
    return (mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
}

bool HandleNavKey(QWidget* control, QKeyEvent* event, TKeyStyles styles)
{
    TKeyStyle style;
    bool forward = false;
    if (!NavKeyStyle(event, style, forward) || !styles.Has(style))
        return false;
    MoveFocusInForm(control, forward);
    event->accept();
    return true;
}

bool HandleButtonNavKey(QWidget* control, QKeyEvent* event, TKeyStyles styles)
{
    if (HandleNavKey(control, event, styles))
        return true;
    TKeyStyle style;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        style = ksEnter;
        break;
    case Qt::Key_Left:
        style = ksLeft;
        break;
    case Qt::Key_Up:
        style = ksUp;
        break;
    case Qt::Key_Right:
        style = ksRight;
        break;
    case Qt::Key_Down:
        style = ksDown;
        break;
    default:
        return false;
    }
    if (!styles.Has(style))
        return false;
    event->accept();
    return true;
}
