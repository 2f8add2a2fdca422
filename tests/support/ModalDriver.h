#pragma once
// Acting on a modal window that the code under test is about to open: the
// action runs once the next modal window shows (each window is acted on
// once), inside its modal loop. When none shows within five seconds the
// test fails.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

inline void WhenModalShows(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && !modal->property("modalDriverActed").toBool()) {
            timer->stop();
            timer->deleteLater();
            modal->setProperty("modalDriverActed", true);
            act(modal);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window showed";
        }
    });
    timer->start();
}
