// The program as an operator runs it: log on, open the data selection, pick
// a row with the keys, walk the pages and finish. Nothing stands in: the
// program's launcher starts the real data-selection screen over the data
// list of the system database.

#include "app/wizard/WizardTestSupport.h"

#include "app/program/ProgramHooks.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxRadioButton.h"
#include "dataselect/screens/DataSenkakuProcess.h"
#include "dataselect/screens/TDataSentakuBox.h"

#include <QTableWidget>

namespace {

using namespace wizardtest;

class ProgramEndToEndTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        RegisterDataSenkakuProcess();
        InstallProgramHooks();
        // The data list: another corporation first, then the data to choose.
        const std::vector<std::string> version =
            schematest::Session(DataFile()).Rows("SELECT MAJOR, MINOR1, MINOR2 FROM ACCVERSION WHERE REC = 1").at(0);
        schematest::Session system((sysDir_ / SysDbFileName).string());
        const auto row = [&](int rec, const std::string& name, const std::string& folder) {
            system.Exec(
                "INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE, DATATYPE, CODETYPE, NENDO,"
                " KISHU, KIMATU, KYOYULOCK, GASSAN, DATACODE, VER_MAJOR, VER_MINOR1, VER_MINOR2, VER_TEXT,"
                " UPDATE_LOCK) VALUES (" +
                std::to_string(rec) + ", 10000, '" + name + "', '" + name + "', '" + folder +
                "', 0, 1, 1, 1, '2024/04/01', '2025/03/31', 0, 0, 'A" + std::to_string(rec) + "', " + version[0] +
                ", " + version[1] + ", " + version[2] + ", '" + version[0] + "." + version[1] + "', 0)");
        };
        row(1, "別会社", (folder_ / "other").string());
        row(2, "連動元商事", dataDir_.string());
    }
    void TearDown() override
    {
        ClearProgramHooks();
        WizardTest::TearDown();
    }
};

TEST_F(ProgramEndToEndTest, TheOperatorChoosesDataOnTheRealScreenAndFinishWritesTheExport)
{
    TForm1& form = Start({});
    Next();
    ASSERT_EQ(form.CurrentPageName(), "page2");

    QStringList shownCodes;
    WhenModalShows([&shownCodes](QWidget* window) {
        auto* screen = qobject_cast<TDataSentakuBox*>(window);
        ASSERT_NE(screen, nullptr) << "the launcher did not start the data-selection screen";
        TPerfectGrid* grid = screen->PerfectGrid1;
        for (int r = 0; r < grid->Rows(); ++r)
            shownCodes << grid->CellText(r, TDataSentakuBox::colCode);
        ASSERT_EQ(grid->CurRow(), 0);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_F12);
    });
    QTest::mouseClick(form.btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(shownCodes, (QStringList{"A1", "A2"}));
    EXPECT_EQ(SystemDef.DataDir, dataDir_.string());
    EXPECT_EQ(SystemDef.DataPathRegistered, dataDir_.string());
    ASSERT_EQ(form.listDataInfo->rowCount(), 4);
    EXPECT_EQ(form.listDataInfo->item(1, 1)->text().toStdString(), AccInf.SHOUGOU);
    EXPECT_TRUE(form.DataConnected);

    Next();
    ASSERT_EQ(form.CurrentPageName(), "page3");
    QTest::mouseClick(form.RadioButton3b, Qt::LeftButton);
    Next();
    ASSERT_EQ(form.CurrentPageName(), "page4");
    form.Edit4a->setText(QStringLiteral("ug.xml"));
    Next();
    ASSERT_EQ(form.CurrentPageName(), "page5");
    messages_.shown.clear();
    Next();
    EXPECT_TRUE(WaitFor([&] { return !form.isVisible(); }));
    EXPECT_EQ(Texts(), std::vector<std::string>{"中間ファイルが作成されました。\r"});
    EXPECT_EQ(form.ResultCode, WizardCreated);
    form_.reset();
    const std::string written = (world_.Root() / "documents" / "ug.xml").string();
    EXPECT_EQ(FileBytes(written), FileBytes(OracleFile(0, 1)));
}

}  // namespace
