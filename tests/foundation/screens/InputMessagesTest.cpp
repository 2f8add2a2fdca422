#include "foundation/screens/InputMessages.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(InputMessagesTest, PendingKeysAndClicksOfTheWindowAreDropped)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    QLineEdit other;
    window.show();
    other.show();
    QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    QCoreApplication::postEvent(&other,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b")));
    QCoreApplication::postEvent(edit, new QMouseEvent(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    FlushInputMessages(&window);
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), QString());
    EXPECT_EQ(other.text(), QStringLiteral("b"));  // another window keeps its input

    QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c")));
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), QStringLiteral("c"));
    FlushInputMessages(nullptr);
}

}  // namespace
