#pragma once
// Acting on a modal window that the code under test is about to open: the
// action runs once the next modal window shows (each showing of a window is
// acted on once), inside its modal loop, as soon as it is the active
// window. When none shows within five seconds the test fails.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace modal_driver {

constexpr const char* ActedProperty = "modalDriverActed";

// Clears the mark when the window hides, so that the next showing of the
// same window (a dialog run again) counts as new.
class HideWatch : public QObject {
public:
    explicit HideWatch(QWidget* window) : QObject(window) { window->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            watched->setProperty(ActedProperty, false);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

}  // namespace modal_driver

inline void WhenModalShows(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool fresh = modal && modal->isVisible() && !modal->property(modal_driver::ActedProperty).toBool();
        // The user works on the window once it is the active one.
        if (fresh && !modal->isActiveWindow())
            modal->activateWindow();
        if (fresh && modal->isActiveWindow()) {
            timer->stop();
            timer->deleteLater();
            modal->setProperty(modal_driver::ActedProperty, true);
            new modal_driver::HideWatch(modal);
            act(modal);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window showed";
        }
    });
    timer->start();
}
