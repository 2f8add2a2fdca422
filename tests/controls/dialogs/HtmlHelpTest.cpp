#include "controls/dialogs/HtmlHelp.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"
#include "support/SavedGlobals.h"

namespace {

class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST(HtmlHelpTest, PagesGoToTheBrowserFromTheirManualsFolder)
{
    dbtest::SavedGlobals saved;
    const std::uint8_t kind = ProgramKind;
    SystemDef.HelpDir = "/opt/ledrix/help";
    ProgramKind = 0;
    BrowserStandIn browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
    EXPECT_EQ(OpenHtmlHelp("olm.html"), 0);
    EXPECT_EQ(OpenHtmlHelp("tsusin01.html"), 0);
    EXPECT_EQ(OpenHtmlHelp(""), 0);
    ProgramKind = 4;
    EXPECT_EQ(OpenHtmlHelp("tsusin01.html"), 0);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ProgramKind = kind;
    EXPECT_EQ(browser.opened,
              (QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/opt/ledrix/help/olm.html")),
                           QUrl::fromLocalFile(QStringLiteral("/opt/ledrix/help/olm.files/tsusin01.html"))}));
}

}  // namespace

#include "HtmlHelpTest.moc"
