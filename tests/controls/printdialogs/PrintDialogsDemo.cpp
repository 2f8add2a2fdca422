// The report print dialog with every row, the data-list print dialog and
// the report colour dialog, each saved as a PNG into the folder given on the
// command line.

#include "controls/printdialogs/TDataSentakuPrintDlg.h"
#include "controls/printdialogs/TPrnColorSetBox.h"
#include "foundation/DataModule.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    TDefaultPrintRec rec;
    InitDefaultPrintRec(rec);

    TDataSentakuPrintDlg list;
    list.PrintRec = &rec;
    list.DlgCaption = QStringLiteral("データリストの印刷");
    list.DlgMessage = QStringLiteral("データリストを印刷します。");
    list.ShowPreview = true;
    list.Setup(true);
    list.show();
    QApplication::processEvents();
    if (!list.grab().save(out + "/datalistdlg.png"))
        qWarning("data-list dialog %dx%d not saved", list.width(), list.height());
    TPrintDlgBox report;
    report.PrintRec = &rec;
    report.DlgCaption = QStringLiteral("残高試算表の印刷");
    report.DlgMessage = QStringLiteral("残高試算表を印刷します。");
    report.ShowColorChoice = report.ShowStartPage = report.ShowBothSides = true;
    report.ShowPreview = report.ShowCopy = true;
    report.Setup(true);
    report.show();
    QApplication::processEvents();
    report.grab().save(out + "/printdlg.png");

    // No system database here: the palette is the all-white one.
    DM = std::make_unique<TDM>();
    TPrnColorSetBox colours;
    colours.PerReport = true;
    colours.FrameLineColor = 0x000080;
    colours.GridLineColor = 0x808080;
    colours.HeadingColor = 0xC0C0C0;
    colours.TotalColor = 0xCCFFCC;
    colours.Setup(true);
    colours.show();
    QApplication::processEvents();
    colours.grab().save(out + "/prncolorset.png");
    colours.hide();
    DM.reset();

    return 0;
}
