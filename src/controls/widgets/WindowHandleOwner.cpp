#include "controls/widgets/WindowHandleOwner.h"

#include <QSocketNotifier>

#include <chrono>
#include <exception>
#include <optional>
#include <utility>

TWindowHandleOwner::TWindowHandleOwner(QWidget* window, platform::WindowHandle handle, PostedHandler onPosted)
    : window_(window), listener_(handle), onPosted_(std::move(onPosted))
{
    notifier_ = new QSocketNotifier(listener_.FileDescriptor(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TWindowHandleOwner::ReadEvents);
}

TWindowHandleOwner::~TWindowHandleOwner() = default;

void TWindowHandleOwner::ReadEvents()
{
    // One event per call: the notifier calls again while more are queued,
    // and a handler that ends the window (and this owner with it) is the
    // last thing done here.
    std::optional<platform::WindowEvent> event;
    try {
        event = listener_.Receive(std::chrono::milliseconds(0));
    } catch (const std::exception&) {
        // A socket that fails is a window nobody can reach any more; the
        // widget itself goes on.
        notifier_->setEnabled(false);
        return;
    }
    if (!event)
        return;
    switch (event->kind) {
    case platform::WindowEventKind::Posted:
        if (onPosted_)
            onPosted_(*event);
        break;
    case platform::WindowEventKind::Enabled:
    case platform::WindowEventKind::Disabled:
        if (window_)
            window_->setEnabled(event->kind == platform::WindowEventKind::Enabled);
        break;
    case platform::WindowEventKind::BroughtToFront:
        if (window_) {
            window_->raise();
            window_->activateWindow();
        }
        break;
    }
}
