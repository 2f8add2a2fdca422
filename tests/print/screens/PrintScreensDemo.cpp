// The preview window over a sample page, the margin dialog and the printing
// dialog, each saved as a PNG into the folder given on the command line.

#include "platform/Cp932.h"
#include "print/FolDef.h"
#include "print/PrintEngine.h"
#include "print/screens/TImageDispForm.h"
#include "print/screens/TNowPrintingdlg.h"
#include "print/screens/Tfmyohaku.h"
#include "FakePrinter.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <fstream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    fol::FakePrinter printer;
    printer.Papers = {{9, "A4", 2970, 2100}};
    printer.Mode.PaperSize = 9;
    fol::StartPrintEngine(std::make_unique<fol::FakeBackend>(printer));

    const std::string file = (out + "/demo.fol").toStdString();
    {
        std::ofstream f(file, std::ios::binary);
        for (const char* line :
             {"*FOLIANTO*", "TEXT;1050;150;データリスト;ＭＳ 明朝;16;;黒;OFF;CENTER;0;0;",
              "TEXT;2000;250;PAGE    1;ＭＳ 明朝;10;;黒;OFF;RIGHT;0;0;", "LINE;150;300;2000;300;4;0;0;",
              "BOX;150;400;1000;900;4;0;黒;薄網掛;0;", "TEXT;200;450;見本の箱;ＭＳ ゴシック;12;;黒;OFF;LEFT;0;0;", "E;",
              "TEXT;300;400;2;ＭＳ 明朝;10;;黒;OFF;LEFT;0;0;"})
            f << cp932::FromUtf8(line) << "\r\n";
    }
    fol::TFOLDEF& record = fol::FolDef();
    record.SetDataFile(file);
    record.SetTitle("印刷プレビュー");
    record.PrevPaperButton = true;
    record.NextPaperButton = true;

    TImageDispForm preview(record);
    preview.resize(1100, 900);
    preview.show();
    preview.activateWindow();
    QApplication::processEvents();
    preview.FormActivate();
    preview.SetZoom(8);
    QApplication::processEvents();
    preview.grab().save(out + "/preview.png");

    Tfmyohaku margins;
    margins.SetTopMargin(30);
    margins.SetVRatio(1020);
    margins.show();
    QApplication::processEvents();
    margins.grab().save(out + "/margins.png");

    TNowPrintingdlg printing([](fol::PrintProgress&) {});
    printing.Timer->stop();
    printing.SetPageLabel("(Page=2)");
    printing.show();
    QApplication::processEvents();
    printing.grab().save(out + "/printing.png");
    return 0;
}
