#include "controls/widgets/PasteBlock.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

bool IsPasteRequest(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        return mouse->button() == Qt::RightButton || mouse->button() == Qt::MiddleButton;
    }
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return static_cast<const QKeyEvent*>(event)->matches(QKeySequence::Paste);
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}
