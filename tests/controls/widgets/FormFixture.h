#pragma once
// A form for the widget tests: shown on the offscreen platform, active, with
// its controls placed one below the other in tab order.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

class TestForm : public QDialog {
public:
    TestForm() { resize(400, 300); }

    template <typename T, typename... Args>
    T* Add(Args&&... args)
    {
        T* w = new T(std::forward<Args>(args)...);
        w->setParent(this);
        w->move(10, next_);
        next_ += 34;
        return w;
    }

    // Shows the form and waits until it is the active window.
    void ShowActive()
    {
        show();
        activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
    }

private:
    int next_ = 10;
};
