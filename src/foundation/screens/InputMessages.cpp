#include "foundation/screens/InputMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

void FlushInputMessages(QWidget* window)
{
    if (!window)
        return;
    constexpr QEvent::Type inputTypes[] = {
        QEvent::MouseButtonPress,
        QEvent::MouseButtonRelease,
        QEvent::MouseButtonDblClick,
        QEvent::MouseMove,
        QEvent::Wheel,
        QEvent::KeyPress,
        QEvent::KeyRelease,
    };
    QList<QObject*> receivers{window};
    for (QWidget* child : window->findChildren<QWidget*>())
        receivers << child;
    if (QWindow* handle = window->windowHandle())
        receivers << handle;
    for (QObject* receiver : receivers)
        for (const QEvent::Type type : inputTypes)
            QCoreApplication::removePostedEvents(receiver, type);
}
