#include "foundation/screens/ScreenFonts.h"

#include "foundation/InstalledFonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

void InstallScreenFontTest()
{
    SetInstalledFontTest([](const std::string& face) {
        // Exactly the face as installed, wherever it stands in the list.
        return !face.empty() && QFontDatabase::families().contains(QString::fromStdString(face), Qt::CaseSensitive);
    });
}
