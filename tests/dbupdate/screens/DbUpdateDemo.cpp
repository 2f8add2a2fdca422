// The update dialog as the user sees it, saved as a PNG: company data whose
// version lies below the catalogue, the first update selected.
#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/screens/TDbUpdateBox.h"

#include <QApplication>
#include <QPixmap>

#include <iostream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::string out = argc > 1 ? argv[1] : "dbupdate_demo.png";
    TDbUpdateBox box;
    const std::vector<std::string> versions = RegisteredAccountingUpdateVersions();
    box.CheckUpdate(1, versions.size() > 6 ? versions[versions.size() - 7] : "0.0.0");
    box.show();
    QApplication::processEvents();
    if (!box.grab().save(QString::fromStdString(out))) {
        std::cerr << "cannot write " << out << "\n";
        return 1;
    }
    std::cout << out << "\n";
    return 0;
}
