// The program's first screen, for looking at it: run under
// `xvfb-run -a program_demo <picture.png> [argument]` in the environment of
// an installation (as scripts/run.sh sets it), it starts the program as the
// program's own main does and, once the wizard's first page is drawn, saves
// every window on the screen (the wizard, and the logon box when it is up)
// side by side in the picture and ends.

#include "app/program/WizardMain.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void SaveWindows(const QString& file)
{
    std::vector<QPixmap> shots;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shots.push_back(w->grab());
    int width = 0, height = 0;
    for (const QPixmap& p : shots) {
        width += p.width() + 10;
        height = std::max(height, p.height());
    }
    QPixmap sheet(std::max(width, 1), std::max(height, 1));
    sheet.fill(Qt::darkGray);
    QPainter painter(&sheet);
    int x = 0;
    for (const QPixmap& p : shots) {
        painter.drawPixmap(x, 0, p);
        x += p.width() + 10;
    }
    painter.end();
    const bool saved = sheet.save(file);
    std::printf("%s: %zu windows%s\n", file.toLocal8Bit().constData(), shots.size(), saved ? "" : " (not saved)");
    std::fflush(stdout);
    std::_Exit(saved ? 0 : 1);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: program_demo <picture.png> [argument]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    // The program sees its own name and the optional argument.
    std::vector<char*> args{argv[0]};
    for (int i = 2; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    // The logon box comes up from the event loop after the first paint; the
    // picture waits for it a moment.
    return RunWizardProgram(count, args.data(), [file] { QTimer::singleShot(1500, [file] { SaveWindows(file); }); });
}
