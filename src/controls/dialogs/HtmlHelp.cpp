#include "controls/dialogs/HtmlHelp.h"

#include <QDesktopServices>
#include <QUrl>

#include "controls/HtmlHelpPath.h"
#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"

int OpenHtmlHelp(const std::string& page)
{
    const std::string path = HtmlHelpPath(SystemDef.HelpDir, ProgramKind, page);
    if (!path.empty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    return 0;
}
