#include "controls/print/DefaultPrintRec.h"
#include "controls/printdialogs/TDataSentakuPrintDlg.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "foundation/DataModule.h"
#include "foundation/SystemDef.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "print/Folianto.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <QGroupBox>
#include <QTest>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t OpCode = 100000010;

struct StyleRow {
    std::int32_t LineColour1 = 0;
    std::int32_t NetColour2 = 0;
    std::string Text;
    bool Found = false;
};

class PrintDlgBoxTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        static const fs::path master = dbtest::BaseMaster(dbupdate::BaseSchema::SystemDatabase);
        path_ = DbPath("qhaccdef.fdb");
        dbtest::CopyMasterFile(master, path_);
        saved_ = SystemDef;
        SystemDef.OPCODE = OpCode;
        SystemDef.PLineColor1 = 0x000080;
        SystemDef.PLineColor2 = 0x808080;
        SystemDef.NetColor1 = 0xC0C0C0;
        SystemDef.NetColor2 = 0xE0E0E0;
        DM = std::make_unique<TDM>();
        DM->IBDatabaseDEF.Attach(path_, dbtest::User, dbtest::Password);
    }
    void TearDown() override
    {
        DM.reset();
        SystemDef = saved_;
        FirebirdTest::TearDown();
    }

    StyleRow Read(const std::string& styleName)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr,
                    "SELECT LINECOLOR1,NETCOLOR2,SSTR FROM STYLECOLOR WHERE OPCODE=:OPCODE AND STYLENAME=:STYLENAME");
        q.ParamByName("OPCODE").SetInteger(OpCode);
        q.ParamByName("STYLENAME").SetString(styleName);
        StyleRow row;
        for (q.Open(); !q.Eof(); q.Next()) {
            row.LineColour1 = q.FieldByName("LINECOLOR1").AsInteger();
            row.NetColour2 = q.FieldByName("NETCOLOR2").AsInteger();
            row.Text = q.FieldByName("SSTR").AsString();
            row.Found = true;
        }
        q.Close();
        tr.Commit();
        return row;
    }

    // Shows the dialog and acts on it; the result it ended with.
    static int Run(TPrintDlgBox& dialog, const std::function<void(TPrintDlgBox&)>& act)
    {
        dialog.show();
        EXPECT_TRUE(dialog.isVisible());
        act(dialog);
        EXPECT_TRUE(dialog.isHidden());
        return dialog.result();
    }

    std::string path_;
    TSystemDef saved_;
    RecordingMessagePresenter messages_;
};

TEST_F(PrintDlgBoxTest, DataListDialogKeepsTheOrientationPerOperator)
{
    for (const bool landscape : {true, false}) {
        SCOPED_TRACE(landscape);
        TDefaultPrintRec rec;
        InitDefaultPrintRec(rec);
        rec.ReportName = "DataSentakuList";
        TDataSentakuPrintDlg dialog;
        dialog.PrintRec = &rec;
        dialog.DlgCaption = "データリストの印刷";
        dialog.Setup(true);
        EXPECT_TRUE(dialog.grpColor->isHidden());
        EXPECT_TRUE(dialog.txtStartPage->isHidden());
        EXPECT_TRUE(dialog.chkBothSides->isHidden());
        EXPECT_EQ(dialog.F12Button, dialog.btnOK);
        EXPECT_EQ(dialog.height(), 174);
        // The second round starts from what the first one stored.
        EXPECT_EQ(dialog.rbLandscape->isChecked(), !landscape);
        const int result = Run(dialog, [landscape](TPrintDlgBox& d) {
            auto& data = static_cast<TDataSentakuPrintDlg&>(d);
            QTest::mouseClick(landscape ? data.rbLandscape : data.rbPortrait, Qt::LeftButton);
            QTest::mouseClick(d.btnOK, Qt::LeftButton);
        });
        EXPECT_EQ(result, mrOk);
        EXPECT_EQ(dialog.PrintAction, 1);
        EXPECT_EQ(dialog.PaperOrientation, landscape ? 1 : 0);
        const StyleRow row = Read("020-DATASENTAKULIST");
        ASSERT_TRUE(row.Found);
        EXPECT_EQ(row.Text, landscape ? "P010=1\r\n" : "P010=0\r\n");
        EXPECT_EQ(row.LineColour1, -1);
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintDlgBoxTest, ChoicesFollowTheRowsShown)
{
    struct Case {
        const char* Name;
        bool ColourShown;
        const char* StartText;
        int StartPage;
        const char* Saved;
    };
    const Case cases[] = {
        {"colour shown", true, "5", 5, "C010=1\r\n"},
        {"colour hidden", false, "0", 1, ""},
        {"not a number", true, "abc", 1, "C010=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TDefaultPrintRec rec;
        InitDefaultPrintRec(rec);
        rec.SavedChoices = "C010=1\r\n";
        TPrintDlgBox dialog;
        dialog.PrintRec = &rec;
        dialog.ShowColorChoice = c.ColourShown;
        dialog.ShowStartPage = true;
        dialog.ShowPreview = true;
        dialog.Setup(true);
        EXPECT_EQ(dialog.height(), 300);
        // A stored colour choice comes back only where it can be seen.
        EXPECT_EQ(dialog.rbColor->isChecked(), c.ColourShown);
        dialog.rbColor->setChecked(true);
        Run(dialog, [&c](TPrintDlgBox& d) {
            d.txtStartPage->setText(QString::fromUtf8(c.StartText));
            QTest::mouseClick(d.btnPreview, Qt::LeftButton);
        });
        EXPECT_EQ(dialog.PrintAction, 2);
        EXPECT_EQ(rec.StartPage, c.StartPage);
        EXPECT_EQ(rec.SavedChoices, c.Saved);
        EXPECT_EQ(rec.ColorPrint, 1);
    }
    // Without a report name nothing is kept.
    EXPECT_FALSE(Read("020-").Found);
}

TEST_F(PrintDlgBoxTest, ReportColoursAreStoredOnlyWhereTheyDiffer)
{
    for (const bool perReport : {false, true}) {
        TDefaultPrintRec rec;
        InitDefaultPrintRec(rec);
        rec.ReportName = "Zandaka";
        rec.NetColor2 = 0x00FF00;
        TPrintDlgBox dialog;
        dialog.PrintRec = &rec;
        dialog.PerReportColors = perReport;
        dialog.Setup(true);
        EXPECT_EQ(Run(dialog, [](TPrintDlgBox& d) { QTest::mouseClick(d.btnCancel, Qt::LeftButton); }), mrCancel);
        EXPECT_EQ(Read("020-ZANDAKA").Found, perReport);
    }
    const StyleRow row = Read("020-ZANDAKA");
    EXPECT_EQ(row.LineColour1, -1);
    EXPECT_EQ(row.NetColour2, 0x00FF00);

    // A later change of the environment colours reaches the report.
    SystemDef.PLineColor1 = 0x0000FF;
    TDefaultPrintRec rec;
    InitDefaultPrintRec(rec);
    rec.ReportName = "zandaka";
    TPrintDlgBox dialog;
    dialog.PrintRec = &rec;
    dialog.PerReportColors = true;
    dialog.Setup(true);
    EXPECT_EQ(rec.LineColor1, 0x0000FF);
    EXPECT_EQ(rec.NetColor2, 0x00FF00);
}

TEST(SetMonoPrintColorsTest, BlackAndWhiteClearsColoursAndGreysTheNets)
{
    fol::TFolianto writer;
    writer.Colours.Net1 = 0x0000FF;
    writer.Colours.User1 = 0x123456;
    SetMonoPrintColors(1, writer);
    EXPECT_EQ(writer.Colours.User1, 0x123456);
    SetMonoPrintColors(0, writer);
    EXPECT_EQ(writer.Colours.User1, 0);
    EXPECT_EQ(writer.Colours.OcrGreen, 0);
    EXPECT_EQ(writer.Colours.OcrPurple, 0);
    EXPECT_EQ(writer.Colours.Net1, 0x555555);
    EXPECT_EQ(writer.Colours.Net2, 0xC0C0C0);
    EXPECT_STREQ(PrintFontName(3), "ＭＳ Ｐゴシック");
    EXPECT_STREQ(PrintFontName(7), "ＭＳ 明朝");
}

}  // namespace
