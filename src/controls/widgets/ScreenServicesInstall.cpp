#include "controls/widgets/ScreenServicesInstall.h"

#include "foundation/ScreenServices.h"

#include <QApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <cmath>

void InstallScreenServices()
{
    SetMessagePump([] {
        // A worker thread that waits has no windows; only the main thread's
        // messages are processed.
        QCoreApplication* app = QCoreApplication::instance();
        if (app != nullptr && QThread::currentThread() == app->thread())
            QCoreApplication::processEvents();
    });
    SetScreenPPIProvider([] {
        const QWidget* form = QApplication::activeWindow();
        if (form != nullptr)
            return form->logicalDpiY();
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
    });
    // The window manager draws the frame outside the client area here, so
    // no frame provider is installed: client sizes need no correction.
}
