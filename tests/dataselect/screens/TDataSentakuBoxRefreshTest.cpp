// The data-selection screen's refresh: rows read again from their data
// folders (information file and company database), blank areas for folders
// that lost their data, child rows of merged data rebuilt from its
// sub-folders.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/dialogs/TxProgressForm.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/screens/DataSentakuWorld.h"
#include "foundation/SystemDef.h"
#include "platform/IniFile.h"
#include "support/RecordingMessagePresenter.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using dstest::DataSentakuWorld;
using dstest::ListRow;
using Col = TDataSentakuBox::Column;

class DataSentakuRefreshTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        world_ = std::make_unique<DataSentakuWorld>(folder_);
    }
    void TearDown() override
    {
        form_.reset();
        world_.reset();
    }

    DataSentakuWorld& World() { return *world_; }
    std::string Folder(int rec) const { return world_->Folder(rec); }

    // The screen as its caller opens it, shown but not modal.
    TDataSentakuBox& Open(const std::string& kind)
    {
        form_ = std::make_unique<TDataSentakuBox>();
        form_->KeepOnClose = true;
        form_->SetParams({"SyoriType=" + kind, "FormStyle=2"});
        form_->PrepareSyoriType(true);
        form_->show();
        return *form_;
    }
    QString Cell(int rec, Col col) const
    {
        const int row = RowOf(rec);
        return row < 0 ? QStringLiteral("<no row>") : form_->PerfectGrid1->CellText(row, col);
    }
    int RowOf(int rec) const
    {
        for (int r = 0; r < form_->PerfectGrid1->Rows(); ++r)
            if (form_->PerfectGrid1->CellText(r, Col::colNo) == QString::number(rec))
                return r;
        return -1;
    }
    std::string Single(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query q(DM->IBDatabaseDEF, tr, sql);
        q.Open();
        std::string value = q.Eof() ? std::string("<none>") : q.FieldByIndex(0).AsString();
        q.Close();
        tr.Commit();
        return value;
    }
    void Exec(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query(DM->IBDatabaseDEF, tr, sql).ExecSQL();
        tr.Commit();
    }
    // Answers the confirmation with the button and presses "更新".
    void PressUpdate(TModalResult answer)
    {
        presenter.answers = {answer};
        form_->btnListUpdate->Click();
    }

    RecordingMessagePresenter presenter;
    std::unique_ptr<TDataSentakuBox> form_;

private:
    std::unique_ptr<DataSentakuWorld> world_;
};

TEST_F(DataSentakuRefreshTest, UpdateRereadsEveryRowFromItsFolderAfterTheOperatorAgrees)
{
    // Data whose row is out of date and which another operator has open.
    World().AddRow({1, "OLD1", "青葉（旧）", 1, 15, 0, 0, 2});
    DataSentakuWorld::PutCompanyData(Folder(1), {"株式会社青葉商事", "A0101", 1, 7});
    // Data copied into a blank area without the program.
    World().AddRow({2, "", "", 0, 0, 0, 0, 1, false});
    DataSentakuWorld::PutCompanyData(Folder(2), {"合同会社ひかり", "B0202", 3, 3});
    // A named row whose data has gone.
    World().AddRow({3, "C0303", "消えたデータ", 1, 15, 0, 0, 1, false});
    // Damaged data is left alone.
    World().AddRow({4, "D0404", "壊れたデータ"});
    DataSentakuWorld::PutCompanyData(Folder(4), {"読まれない会社", "Z9999"});
    Exec("UPDATE DATALIST SET DATA_STATUS=1 WHERE REC=4");
    // Shared data not taken here has no local copy, and keeps its row.
    World().AddRow({5, "E0505", "共有データ", 1, 15, 0, 0, 1, true, 1});

    TDataSentakuBox& f = Open("0");
    f.PerfectGrid1->setFocus();
    f.PerfectGrid1->MoveCursor(RowOf(2), 0);

    PressUpdate(mrNo);
    ASSERT_EQ(1u, presenter.shown.size());
    EXPECT_EQ("データリストの更新を行います。\rよろしいですか？", presenter.shown[0].Text);
    EXPECT_EQ(TMsgDlgType::mtConfirmation, presenter.shown[0].Type);
    EXPECT_EQ(QStringLiteral("OLD1"), Cell(1, Col::colCode));

    PressUpdate(mrYes);
    EXPECT_EQ(2u, presenter.shown.size()) << presenter.shown.back().Text;

    // The name the operator gave stays; the rest is the data's.
    EXPECT_EQ(QStringLiteral("A0101"), Cell(1, Col::colCode));
    EXPECT_EQ(QStringLiteral("青葉（旧）"), Cell(1, Col::colName));
    EXPECT_EQ(QStringLiteral("7 期"), Cell(1, Col::colNendo));
    EXPECT_EQ("A0101", Single("SELECT DATACODE FROM DATALIST WHERE REC=1"));
    EXPECT_EQ("株式会社青葉商事", Single("SELECT SHOUGOU FROM DATALIST WHERE REC=1"));
    const IniFile ini1(Folder(1) + "/qhacc.ini");
    EXPECT_EQ("A0101", ini1.ReadString("DATAINFO", "CODE", ""));
    EXPECT_EQ(7, ini1.ReadInteger("DATAINFO", "NENDO", 0));
    EXPECT_EQ(2, ini1.ReadInteger("DATASTS", "STATUS", 0)) << "the holder's mark stays";
    EXPECT_EQ(0, ini1.ReadInteger("DATASTS", "UPDATE_LOCK", -1));

    // A blank area takes the company's name.
    EXPECT_EQ(QStringLiteral("合同会社ひかり"), Cell(2, Col::colName));
    EXPECT_EQ(QStringLiteral("3"), QString::fromStdString(Single("SELECT DATATYPE FROM DATALIST WHERE REC=2")));
    EXPECT_EQ("合同会社ひかり", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=2"));

    // A row without data becomes a blank area, and its information goes.
    EXPECT_EQ(QString(), Cell(3, Col::colName));
    EXPECT_EQ(QStringLiteral("～"), Cell(3, Col::colKikan));
    EXPECT_EQ("", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=3"));
    EXPECT_FALSE(fs::exists(Folder(3) + "/qhacc.ini"));

    EXPECT_EQ(QStringLiteral("共有データ"), Cell(5, Col::colName));
    EXPECT_EQ("共有データ", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=5"));
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=5"));

    EXPECT_EQ(QStringLiteral("D0404"), Cell(4, Col::colCode));
    EXPECT_EQ(QColor(255, 0, 0), f.PerfectGrid1->item(RowOf(4), 1 + Col::colName)->background().color());

    // The cursor stays where it was; the window is gone and the form usable.
    EXPECT_EQ(RowOf(2), f.PerfectGrid1->CurRow());
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TxProgressForm*>(window) && window->isVisible());
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(nullptr, f.xAnimeProgressDialog1);
}

TEST_F(DataSentakuRefreshTest, MergedDataGetsAChildRowForEverySubFolderThatHoldsData)
{
    World().AddRow({1, "G1", "合算データ"});
    DataSentakuWorld::PutCompanyData(Folder(1), {"合算本社", "G1", 1, 1, 1});
    DataSentakuWorld::PutCompanyData(Folder(1) + "/01", {"第一事業所", "G101"});
    fs::create_directories(Folder(1) + "/02");
    // Data that cannot be opened.
    fs::create_directories(Folder(1) + "/03");
    std::ofstream(Folder(1) + "/03/qhacc.fdb") << "not a database";

    TDataSentakuBox& f = Open("3");
    EXPECT_EQ(1, f.PerfectGrid1->Rows());
    f.DataListRefresh(-1);

    TPerfectGrid* grid = f.PerfectGrid1;
    ASSERT_EQ(3, grid->Rows());
    EXPECT_EQ(QStringLiteral("1"), grid->CellText(0, Col::colGassan));
    EXPECT_EQ(QStringLiteral("01 第一事業所"), grid->CellText(1, Col::colName));
    EXPECT_EQ(QStringLiteral("02 破損データ"), grid->CellText(2, Col::colName));
    for (int row : {1, 2}) {
        EXPECT_EQ(QString(), grid->CellText(row, Col::colNo));
        EXPECT_EQ(QStringLiteral("10"), grid->CellText(row, Col::colGassan));
    }
    EXPECT_EQ(QStringLiteral("G101"), grid->CellText(1, Col::colCode));
    // The damaged child carries its parent's company and is red.
    EXPECT_EQ(QStringLiteral("1"), grid->CellText(2, Col::colStatus));
    EXPECT_EQ(QColor(255, 0, 0), grid->item(2, 1 + Col::colName)->background().color());
    EXPECT_EQ(f.GetRowRecord(0)->KIKANTEXT, f.GetRowRecord(2)->KIKANTEXT);

    EXPECT_EQ("2", Single("SELECT COUNT(*) FROM CHILD_DATALIST WHERE REC=1"));
    EXPECT_EQ("第一事業所", Single("SELECT ENTTEXT FROM CHILD_DATALIST WHERE REC=1 AND ROWNO=1"));
    EXPECT_EQ("破損データ", Single("SELECT ENTTEXT FROM CHILD_DATALIST WHERE REC=1 AND ROWNO=3"));
    EXPECT_EQ("1", Single("SELECT DATA_STATUS FROM CHILD_DATALIST WHERE REC=1 AND ROWNO=3"));
    EXPECT_EQ("合算データ", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=1"));
    EXPECT_EQ("G101", IniFile(Folder(1) + "/01/qhacc.ini").ReadString("DATAINFO", "CODE", ""));

    // A child whose data has gone leaves the list at the next refresh.
    fs::remove(Folder(1) + "/01/qhacc.fdb");
    f.DataListRefresh(1);
    ASSERT_EQ(2, grid->Rows());
    EXPECT_EQ(QStringLiteral("01 破損データ"), grid->CellText(1, Col::colName));
}

TEST_F(DataSentakuRefreshTest, AListNamingNoDataIsBuiltFromTheFoldersWhenKindZeroOpens)
{
    World().AddRow({1, "", "", 0, 0, 0, 0, 1, false});
    DataSentakuWorld::PutCompanyData(Folder(1), {"株式会社北斗建設", "H0001"});
    World().AddRow({2, "", "", 0, 0, 0, 0, 1, false});

    struct Case {
        const char* kind;
        QString name;
    };
    // Choosing only leaves the list as it is stored; kind 0 builds it.
    const Case cases[] = {{"3", QString()}, {"1", QString()}, {"0", QStringLiteral("株式会社北斗建設")}};
    for (const Case& c : cases) {
        Open(c.kind);
        EXPECT_EQ(c.name, Cell(1, Col::colName)) << c.kind;
        EXPECT_EQ(QString(), Cell(2, Col::colName)) << c.kind;
    }
    EXPECT_EQ("H0001", Single("SELECT DATACODE FROM DATALIST WHERE REC=1"));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataSentakuRefreshTest, ARowPathThatIsBlankIsNotSaved)
{
    World().AddRow({1, "A1", "名前"});
    TDataSentakuBox& f = Open("3");
    TDataListRec rec = *f.GetRowRecord(0);
    rec.PASNAME = "　 ";
    try {
        f.SaveRowRecord(rec);
        ADD_FAILURE() << "saved";
    } catch (const std::exception& error) {
        EXPECT_STREQ("データフォルダパスが不正です。\r処理を中止します。", error.what());
    }
    EXPECT_EQ(Folder(1), Single("SELECT PASNAME FROM DATALIST WHERE REC=1"));
}

}  // namespace
