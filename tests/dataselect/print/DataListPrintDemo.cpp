// Prints a sample data list, 56 rows in portrait and 12 in landscape, into
// PDF files of the folder given on the command line.

#include "dataselect/print/PrDataList.h"
#include "foundation/SystemDef.h"
#include "print/PrintEngine.h"
#include "print/PrintHost.h"
#include "print/QtPrintJobSink.h"
#include "FakePrinter.h"

#include <QGuiApplication>

#include <cstdlib>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : ".";
    ::setenv("LEDRIX_TEMP", out.c_str(), 1);
    fol::FakePrinter printer;
    printer.Papers = {{9, "A4", 2970, 2100}};
    printer.Mode.PaperSize = 9;
    printer.PrintableWidth = 200;
    printer.PrintableHeight = 287;
    fol::StartPrintEngine(std::make_unique<fol::FakeBackend>(printer));
    SystemDef.HomeDir = "/srv/acc";
    for (const int orientation : {0, 1}) {
        fol::QtPrintJobSink sink(out + (orientation == 0 ? "/datalist-portrait" : "/datalist-landscape"));
        fol::SetPrintJobSink(&sink);
        TPrDataList list;
        list.Orientation = orientation;
        const int rows = orientation == 0 ? 56 : 12;
        for (int i = 1; i <= rows; ++i) {
            TDataSentakuRec row;
            row.Data.REC = i;
            row.Data.DATACODE = "D" + std::to_string(1000 + i);
            row.Data.ENTTEXT = row.Data.DISPNAME = "株式会社サンプル商事 第" + std::to_string(i) + "事業所";
            row.Data.NENDO = i % 7;
            row.Data.KIKANTEXT = "R06/04/01～R07/03/31";
            row.Data.PASNAME = "/srv/acc/data/" + std::to_string(1000 + i);
            if (i == 3) {
                TDataListRec child = row.Data;
                child.DISPNAME = "  子会社 北海道";
                row.Children = {child};
                row.ChildCount = 1;
            }
            list.Rows.push_back(row);
            list.RowOrder.push_back(i - 1);
        }
        list.Writer().PrnDlg = false;
        list.PrintList(true);
    }
    fol::SetPrintJobSink(nullptr);
    fol::EndPrintEngine();
    return 0;
}
