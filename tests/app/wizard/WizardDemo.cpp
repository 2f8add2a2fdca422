// The wizard's pages, for looking at them: run under
// `xvfb-run -a wizard_demo <folder>` it saves each page as a picture in the
// folder. It lays out a private world in a temporary folder (application
// information, the product's registry entry) so that the form starts
// without an installation, and fills the pages as a chosen data set does;
// no database and no logon are involved.

#include "app/wizard/TForm1.h"
#include "app/wizard/WizardSummary.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxRadioButton.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/UserMessage.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: wizard_demo <folder>\n");
        return 2;
    }
    QTemporaryDir world;
    const std::string root = world.path().toStdString();
    ::setenv("LEDRIX_COMMON_APPDATA", (root + "/appdata").c_str(), 1);
    ::setenv("LEDRIX_REGISTRY_DIR", (root + "/registry").c_str(), 1);
    ::setenv("LEDRIX_DOCUMENTS", (root + "/documents").c_str(), 1);
    QDir().mkpath(QString::fromStdString(root + "/appdata"));
    QDir().mkpath(QString::fromStdString(root + "/documents"));
    {
        IniFile ini(root + "/AppInfo.ini");
        ini.WriteString("Application", "OEM", "Ledrix");
        ini.WriteString("Application", "RegKey", "SOFTWARE\\NORVEL");
        ini.WriteString("Zaimu", "AppTitle", "Ledrix財務");
        ini.WriteString("Zaimu", "RegKey", "LedrixZaimu");
        ini.WriteString("Zaimu", "HomeDir", "norvel/ledrixzaimu");
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        reg.OpenKey("\\SOFTWARE\\NORVEL\\LedrixZaimu15", true);
        reg.WriteString("Product", "Ledrix財務 15");
        reg.WriteString("Version", "15.0.1");
    }

    TForm1 form(TWizardStart{{}, root + "/varimon"});
    if (!form.Created())
        return 1;
    const QString rows[4][2] = {
        {"データ区分", "法人"}, {"会社名", "A&B商事"}, {"会計年度", "7期"}, {"会計期間", "2025/04/01 ～ 2026/03/31"}};
    form.listDataInfo->setRowCount(4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            form.listDataInfo->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    form.xKikanPanel3a->SetupPeriod(99, EncodeDate(2025, 4, 1), EncodeDate(2026, 3, 31), EncodeDate(2025, 7, 1));
    form.xKikanPanel3a->SetStno(4);
    form.xKikanPanel3a->SetEdno(15);
    form.RadioButton3a->setChecked(true);
    form.Edit4a->setText(QStringLiteral("ug.xml"));
    TWizardSummary summary;
    summary.CompanyName = "A&B商事";
    summary.Nendo = 7;
    summary.FiscalStart = EncodeDate(2025, 4, 1);
    summary.FiscalEnd = EncodeDate(2026, 3, 31);
    summary.StartCell = 4;
    summary.EndCell = summary.LastCell = 15;
    summary.WithFile = true;
    summary.FileName = "ug.xml";
    QStringList lines;
    for (const std::string& line : MakeSummaryLines(summary))
        lines << QString::fromStdString(line);
    form.Memo5b->setPlainText(lines.join('\n'));

    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 0; i < form.Wizard1->count(); ++i) {
        // Walk the pages as Next does, so the buttons show their captions.
        form.Wizard1->setCurrentIndex(i);
        form.Button1->setVisible(i > 0);
        form.Button2->setText(i + 1 == form.Wizard1->count() ? form.Wizard1->NextButtonFinCap()
                                                             : form.Wizard1->NextButtonCap());
        form.grab().save(folder + QStringLiteral("/wizard_%1.png").arg(form.CurrentPageName()));
    }
    return 0;
}
