#pragma once
// Gives a top-level widget a window handle of the message layer, so other
// programs can reach it as they reach a window: messages posted to the
// handle go to the owner's handler, and the enable, disable and
// bring-to-front notices are applied to the widget itself.

#include "platform/WindowMessages.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QSocketNotifier;

class TWindowHandleOwner final : public QObject {
    Q_OBJECT
public:
    using PostedHandler = std::function<void(const platform::WindowEvent&)>;

    // Listens at the handle; throws as WindowMessageListener does when the
    // handle is taken.
    TWindowHandleOwner(QWidget* window, platform::WindowHandle handle, PostedHandler onPosted);
    ~TWindowHandleOwner() override;

    platform::WindowHandle Handle() const { return listener_.Handle(); }

private:
    void ReadEvents();

    QPointer<QWidget> window_;
    platform::WindowMessageListener listener_;
    QSocketNotifier* notifier_;
    PostedHandler onPosted_;
};
