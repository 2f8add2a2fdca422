#include "controls/print/DefaultPrintRec.h"
#include "controls/printdialogs/TDataSentakuPrintDlg.h"
#include "controls/printdialogs/TPrnColorSetBox.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "controls/widgets/TxRadioButton.h"
#include "foundation/DataModule.h"
#include "foundation/StyleColorStore.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemSettings.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "print/Folianto.h"
#include "support/DatabaseMasters.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"

#include <QColorDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
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

    // A value of the operator's SYSDEF row.
    std::int32_t SysDefInteger(const char* column)
    {
        db::Database database;
        database.Attach(path_, dbtest::User, dbtest::Password);
        db::Transaction tr(database);
        tr.Start();
        db::Query q(database, tr, std::string("SELECT ") + column + " FROM SYSDEF WHERE OPCODE=:OPCODE");
        q.ParamByName("OPCODE").SetInteger(OpCode);
        q.Open();
        const std::int32_t value = q.Eof() ? -2 : q.FieldByIndex(0).AsInteger();
        q.Close();
        tr.Commit();
        return value;
    }

    static std::int32_t PanelColour(const TPrnColorSetBox& box, int row)
    {
        const QColor c = box.Panels[static_cast<std::size_t>(row)]->palette().color(QPalette::Window);
        return c.red() | c.green() << 8 | c.blue() << 16;
    }

    // Clicks a row's "変更" and answers the colour dialog with colour.
    static void ChangeRow(TPrnColorSetBox& box, int row, std::int32_t colour)
    {
        WhenModalShows([colour](QWidget* w) {
            auto* dialog = qobject_cast<QColorDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF));
            dialog->accept();
        });
        QTest::mouseClick(box.ChangeButtons[static_cast<std::size_t>(row)], Qt::LeftButton);
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

TEST_F(PrintDlgBoxTest, ColourSelectionGoesBackIntoTheRecordAndIsStoredAtOnce)
{
    PutStyleColor(OpCode, "Pallet_CustomColor", "ColorB=0000FF\r\n");
    TDefaultPrintRec rec;
    InitDefaultPrintRec(rec);
    rec.ReportName = "Zandaka";
    TPrintDlgBox dialog;
    dialog.PrintRec = &rec;
    dialog.PerReportColors = true;
    dialog.ShowColorChoice = true;
    dialog.Setup(true);
    ASSERT_TRUE(dialog.btnColorSelect->isEnabled());
    const int result = Run(dialog, [this, &rec](TPrintDlgBox& d) {
        WhenModalShows([](QWidget* w) {
            auto* box = qobject_cast<TPrnColorSetBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("帳票色の選択"));
            EXPECT_TRUE(box->lblReset->isVisible());
            // The operator's palette is in the colour dialog's custom colours.
            EXPECT_EQ(QColorDialog::customColor(1), QColor(255, 0, 0));
            EXPECT_EQ(QColorDialog::customColor(0), QColor(255, 255, 255));
            EXPECT_EQ(PanelColour(*box, 0), 0x000080);
            EXPECT_EQ(PanelColour(*box, 3), 0xE0E0E0);
            ChangeRow(*box, 3, 0x00FF00);
            EXPECT_EQ(PanelColour(*box, 3), 0x00FF00);
            QTest::mouseClick(box->btnOK, Qt::LeftButton);
        });
        QTest::mouseClick(d.btnColorSelect, Qt::LeftButton);
        EXPECT_EQ(rec.NetColor2, 0x00FF00);
        EXPECT_EQ(rec.LineColor1, 0x000080);
        // Stored before the print dialog closes.
        const StyleRow row = Read("020-ZANDAKA");
        EXPECT_TRUE(row.Found);
        EXPECT_EQ(row.NetColour2, 0x00FF00);
        EXPECT_EQ(row.LineColour1, -1);
        QTest::mouseClick(d.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(result, mrCancel);
    const std::string palette = GetStyleColor(OpCode, "Pallet_CustomColor");
    EXPECT_EQ(palette.substr(0, 30), "ColorA=FFFFFF\r\nColorB=0000FF\r\n");
    EXPECT_NE(palette.find("ColorP=FFFFFF\r\n"), std::string::npos);
    // Per report, the operator's environment colours stay as they were.
    EXPECT_EQ(SystemDef.NetColor2, 0xE0E0E0);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PrintDlgBoxTest, EnvironmentColoursAreWrittenToTheOperatorsRow)
{
    ASSERT_TRUE(fnGetSysDef());
    SystemDef.PLineColor1 = 0x000080;
    SystemDef.NetColor1 = 0xC0C0C0;
    const std::int32_t stored = SysDefInteger("PLineColor1");
    ASSERT_NE(stored, 0x123456);
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TPrnColorSetBox box;
        box.FrameLineColor = 0x000080;
        box.HeadingColor = 0xC0C0C0;
        box.Setup(true);
        box.show();
        EXPECT_TRUE(box.lblReset->isHidden());
        ChangeRow(box, 0, 0x123456);
        QTest::mouseClick(ok ? box.btnOK : box.btnCancel, Qt::LeftButton);
        EXPECT_TRUE(box.isHidden());
        EXPECT_EQ(box.result(), ok ? mrOk : mrCancel);
        EXPECT_EQ(SystemDef.PLineColor1, ok ? 0x123456 : 0x000080);
        EXPECT_EQ(SysDefInteger("PLineColor1"), ok ? 0x123456 : stored);
    }
    EXPECT_EQ(SystemDef.NetColor1, 0xC0C0C0);
}

TEST_F(PrintDlgBoxTest, ResetToEnvironmentColoursOnlyWhenConfirmed)
{
    for (const TModalResult answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer);
        TPrnColorSetBox box;
        box.PerReport = true;
        box.FrameLineColor = 0x0000FF;
        box.TotalColor = 0x00FF00;
        box.Setup(true);
        box.show();
        messages_.answers.push_back(answer);
        QTest::mouseClick(box.lblReset, Qt::LeftButton);
        ASSERT_FALSE(messages_.shown.empty());
        EXPECT_EQ(messages_.shown.back().Text, "帳票の色を環境設定の色に戻します。\rよろしいですか？");
        const bool reset = answer == mrYes;
        EXPECT_EQ(PanelColour(box, 0), reset ? 0x000080 : 0x0000FF);
        EXPECT_EQ(PanelColour(box, 3), reset ? 0xE0E0E0 : 0x00FF00);
        EXPECT_EQ(box.lblReset->palette().color(QPalette::WindowText), reset ? QColor(128, 0, 128) : QColor(Qt::blue));
        QTest::mouseClick(box.btnOK, Qt::LeftButton);
        EXPECT_EQ(box.TotalColor, reset ? 0xE0E0E0 : 0x00FF00);
    }
    // Per report nothing reaches the operator's environment colours.
    EXPECT_EQ(SystemDef.PLineColor1, 0x000080);
}

TEST_F(PrintDlgBoxTest, FailedInitialisationIsShownAndCloses)
{
    TPrnColorSetBox box;
    TPrintDlgBox dialog;
    dialog.DlgCaption = "残高試算表の印刷";
    dialog.Setup(true);
    for (TBSDI* form : std::initializer_list<TBSDI*>{&box, &dialog}) {
        form->CreatedOK = false;
        form->show();
        ASSERT_FALSE(messages_.shown.empty());
        EXPECT_EQ(messages_.shown.back().Text,
                  form->windowTitle().toStdString() + "画面の初期化に失敗しました。\r処理を終了します。");
        EXPECT_TRUE(form->isHidden());
    }
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown.front().Text.rfind("帳票色の選択画面", 0), 0u);
}

TEST(PrnColorSetBoxPaletteTest, LinesGiveTheSixteenCustomColours)
{
    const auto colours =
        TPrnColorSetBox::PaletteFromLines("ColorB=0000FF\r\nColorC=zz\r\nColorQ=000000\r\nColorP=FF0000");
    EXPECT_EQ(colours[1], QColor(255, 0, 0));
    EXPECT_EQ(colours[2], QColor(255, 255, 255));
    EXPECT_EQ(colours[15], QColor(0, 0, 255));
    EXPECT_EQ(colours[0], QColor(255, 255, 255));
    const std::string lines = TPrnColorSetBox::PaletteLines(colours);
    EXPECT_EQ(lines.substr(0, 30), "ColorA=FFFFFF\r\nColorB=0000FF\r\n");
    EXPECT_EQ(lines.substr(lines.size() - 15), "ColorP=FF0000\r\n");
    EXPECT_EQ(TPrnColorSetBox::PaletteFromLines(lines), colours);
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
