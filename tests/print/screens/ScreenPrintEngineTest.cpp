// The engine's start in a program with screens, and the hint window it sets.

#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/QtPrintJobSink.h"
#include "print/screens/ScreenPrintHost.h"
#include "print/screens/TBigHintWindow.h"
#include "FakePrinter.h"
#include "RecordingPrintHost.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

QLabel* ShownHint()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return qobject_cast<QLabel*>(w);
    return nullptr;
}

TEST(ScreenPrintEngineTest, StartKeepsWhatIsInAndSetsTheHintWindow)
{
    fol::FakePrinter printer;
    ASSERT_TRUE(fol::StartPrintEngine(std::make_unique<fol::FakeBackend>(printer)));
    fol::TVDBPrint* vdb = fol::Vdb();
    fol::RecordingPrintHost host;
    fol::QtPrintJobSink sink("/nonexistent/job");
    fol::SetPrintHost(&host);
    fol::SetPrintJobSink(&sink);
    StartScreenPrintEngine();
    EXPECT_EQ(fol::Vdb(), vdb);
    EXPECT_EQ(&fol::CurrentPrintHost(), &host);
    EXPECT_EQ(fol::CurrentPrintJobSink(), &sink);
    EXPECT_TRUE(TBigHintWindow::Installed());
    EXPECT_EQ(QToolTip::font().family(), QStringLiteral("System"));

    // The window shows a hint's short part; a hint without one shows none.
    QWidget form;
    form.resize(100, 40);
    form.show();
    struct Case {
        const char* Hint;
        const char* Shown;  // nullptr: no hint window
    };
    for (const Case& c : {Case{"印刷します。|帳票を印刷します。", "印刷します。"}, Case{"一行だけ", "一行だけ"},
                          Case{"|長い説明だけ", nullptr}}) {
        SCOPED_TRACE(c.Hint);
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000));
        form.setToolTip(QString::fromUtf8(c.Hint));
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), form.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&form, &event);
        QLabel* shown = ShownHint();
        if (!c.Shown) {
            EXPECT_EQ(shown, nullptr);
            continue;
        }
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(), QString::fromUtf8(c.Shown));
        EXPECT_EQ(shown->font().family(), QStringLiteral("System"));
    }
    QToolTip::hideText();
    fol::SetPrintJobSink(nullptr);
    fol::SetPrintHost(nullptr);
    fol::EndPrintEngine();
}

}  // namespace
