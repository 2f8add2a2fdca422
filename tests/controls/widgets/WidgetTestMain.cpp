// The widget tests need the application object before any widget exists,
// and the offscreen platform also while the test list is read.
#include "controls/widgets/ScreenServicesInstall.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program does at start: waits process window messages.
    InstallScreenServices();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
