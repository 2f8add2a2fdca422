// The program's first screens, for looking at them: run under
// `xvfb-run -a program_demo <picture.png> [--logon <code> <password>]
// [argument]` in the environment of an installation (as scripts/run.sh sets
// it), it starts the program as the program's own main does and, once the
// wizard's first page is drawn, saves every window on the screen (the
// wizard, and the logon box when it is up) side by side in the picture.
// With --logon it then logs on with the code and password, saves the screen
// after the logon beside it ("<picture>-logged-on.png"), goes to the second
// page and opens the data selection ("<picture>-selection.png").

#include "app/program/WizardMain.h"
#include "app/wizard/TForm1.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/screens/TLogonBox.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool SaveWindows(const QString& file)
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
    return saved;
}

void End(bool ok)
{
    std::_Exit(ok ? 0 : 1);
}

TLogonBox* LogonBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<TLogonBox*>(w); box != nullptr && box->isVisible())
            return box;
    return nullptr;
}

TForm1* Wizard()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TForm1*>(w))
            return form;
    return nullptr;
}

// Goes on to the second page and opens the data selection; the selection
// screen is saved while it is up ("<picture>-selection.png").
void OpenSelection(const QString& file)
{
    TForm1* form = Wizard();
    if (form == nullptr)
        End(true);  // the logon ended the program
    form->Button2->click();
    QTimer::singleShot(2500, [file] {
        QString shot = file;
        shot.replace(QStringLiteral(".png"), QStringLiteral("-selection.png"));
        End(SaveWindows(shot));
    });
    form->btnDataSentaku->click();
}

void LogOn(const QString& file, const QString& code, const QString& password)
{
    TLogonBox* box = LogonBox();
    if (box == nullptr) {
        std::fprintf(stderr, "no logon box\n");
        End(false);
    }
    box->txtOpCode->setText(code);
    box->txtPassword->setText(password);
    box->OKBtn->Click();
    QTimer::singleShot(2000, [file] {
        QString after = file;
        after.replace(QStringLiteral(".png"), QStringLiteral("-logged-on.png"));
        if (!SaveWindows(after))
            End(false);
        OpenSelection(file);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: program_demo <picture.png> [--logon <code> <password>] [argument]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    int first = 2;
    QString code, password;
    if (argc >= 5 && std::string(argv[2]) == "--logon") {
        code = QString::fromLocal8Bit(argv[3]);
        password = QString::fromLocal8Bit(argv[4]);
        first = 5;
    }
    // The program sees its own name and the optional argument.
    std::vector<char*> args{argv[0]};
    for (int i = first; i < argc; ++i)
        args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    // The logon box comes up from the event loop after the first paint; the
    // picture waits for it a moment.
    return RunWizardProgram(count, args.data(), [file, code, password] {
        QTimer::singleShot(1500, [file, code, password] {
            const bool saved = SaveWindows(file);
            if (code.isEmpty() || !saved)
                End(saved);
            LogOn(file, code, password);
        });
    });
}
