#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataFolderStatus.h"
#include "controls/dialogs/TInputDlgBox.h"
#include "dataselect/DataPlaces.h"
#include "dataselect/screens/TDataPlaceBox.h"
#include "dataselect/screens/TDataListKensakuBox.h"
#include "foundation/HostHooks.h"
#include "foundation/SystemDef.h"
#include "dataselect/screens/DataSentakuWorld.h"
#include "foundation/AppInfo.h"
#include "foundation/FileProcModule.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using dstest::ListRow;

const std::vector<std::string> WizardLines = {"SyoriType=3", "JyokenSet=1", "DataType=-13", "CodeType=0",
                                              "DataVerMajor=15"};

class DataSentakuBoxTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        world_ = std::make_unique<dstest::DataSentakuWorld>(folder_);
    }
    void TearDown() override { world_.reset(); }

    void AddRow(const ListRow& row) { world_->AddRow(row); }
    std::string Folder(int rec) const { return world_->Folder(rec); }
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

    // The launcher's part: the form registered under the name, with the
    // caller's lines and the modal form style.
    TDataSentakuBox* Create(std::vector<std::string> lines)
    {
        const TProcessFormClass formClass = GetProcessClass("QvDataSenkaku");
        if (!formClass)
            throw std::runtime_error("QvDataSenkaku is not registered");
        std::unique_ptr<IProcessForm> form = formClass();
        lines.push_back("FormStyle=2");
        form->SetParams(lines);
        // The form frees itself when it closes.
        return dynamic_cast<TDataSentakuBox*>(form.release());
    }
    int Run(TDataSentakuBox* form, std::function<void(TDataSentakuBox&)> act)
    {
        WhenModalShows([form, act](QWidget*) { act(*form); });
        return form->Execute(true);
    }

    static int RowOf(const TDataSentakuBox& form, int rec)
    {
        for (int r = 0; r < form.PerfectGrid1->Rows(); ++r)
            if (form.PerfectGrid1->CellText(r, TDataSentakuBox::colNo) == QString::number(rec))
                return r;
        return -1;
    }
    static std::vector<int> Recs(const TDataSentakuBox& form)
    {
        std::vector<int> recs;
        for (int r = 0; r < form.PerfectGrid1->Rows(); ++r)
            recs.push_back(form.PerfectGrid1->CellText(r, TDataSentakuBox::colNo).toInt());
        return recs;
    }
    static void Choose(TDataSentakuBox& form, int rec, Qt::Key key = Qt::Key_F12)
    {
        const int row = RowOf(form, rec);
        ASSERT_GE(row, 0) << rec;
        form.PerfectGrid1->MoveCursor(row, 0);
        form.PerfectGrid1->setFocus();
        QTest::keyClick(form.PerfectGrid1, key);
    }
    static QString Caption(const TxPlButton* button) { return button->CaptionA().Caption; }
    static void ClickHeader(TDataSentakuBox& form, int col)
    {
        QHeaderView* header = form.PerfectGrid1->horizontalHeader();
        const int x = header->sectionViewportPosition(col + 1) + header->sectionSize(col + 1) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    RecordingMessagePresenter presenter;

private:
    std::unique_ptr<dstest::DataSentakuWorld> world_;
};

TEST_F(DataSentakuBoxTest, WizardStartListsKindsOneAndThreeAtMajorFifteenAndChoosesByF12)
{
    AddRow({1, "A100", "法人十五", 1, 15});
    AddRow({2, "B200", "個人十五", 2, 15});
    AddRow({3, "C300", "医療十五", 3, 15, 2});
    AddRow({4, "D400", "法人十四", 1, 14});
    AddRow({5, "", "", 0, 0});
    AddRow({6, "A150", "法人十五の二", 1, 15, 1});

    QPointer<TDataSentakuBox> form = Create(WizardLines);
    EXPECT_EQ(3, form->SyoriType());
    EXPECT_EQ(VersionModeMajor, form->ParameterConditions().VERMODE);
    EXPECT_EQ("15", form->ParameterConditions().DATAVER);
    const int result = Run(form, [this](TDataSentakuBox& f) {
        TPerfectGrid* grid = f.PerfectGrid1;
        EXPECT_EQ((std::vector<int>{1, 3, 6}), Recs(f));
        EXPECT_EQ(TDataSentakuBox::ColumnCount, grid->Cols());
        EXPECT_EQ(QStringLiteral("データ名  "), grid->HeaderText(TDataSentakuBox::colName));
        EXPECT_EQ(QStringLiteral("No▲"), grid->HeaderText(TDataSentakuBox::colNo));
        EXPECT_EQ(QStringLiteral("共有"), grid->HeaderText(TDataSentakuBox::colSharePic));
        EXPECT_EQ(QStringLiteral("参照専用ﾞ"), grid->HeaderText(TDataSentakuBox::colReadOnly));
        EXPECT_EQ(0, grid->ColWidth(TDataSentakuBox::colCloud));
        EXPECT_EQ(32, grid->ColWidth(TDataSentakuBox::colSharePic));
        EXPECT_EQ(0, grid->ColWidth(TDataSentakuBox::colLockPic));
        EXPECT_EQ(248, grid->ColWidth(TDataSentakuBox::colName));
        for (int col = TDataSentakuBox::colLock; col < TDataSentakuBox::ColumnCount; ++col)
            EXPECT_EQ(0, grid->ColWidth(col)) << col;
        const int row = RowOf(f, 3);
        EXPECT_EQ(QStringLiteral("C300"), grid->CellText(row, TDataSentakuBox::colCode));
        EXPECT_EQ(QStringLiteral("医療十五"), grid->CellText(row, TDataSentakuBox::colName));
        EXPECT_EQ(QStringLiteral("5 期"), grid->CellText(row, TDataSentakuBox::colNendo));
        EXPECT_EQ(QStringLiteral("~/data/0003"), grid->CellText(row, TDataSentakuBox::colFolder));
        EXPECT_EQ(QStringLiteral("15.2.0"), grid->CellText(row, TDataSentakuBox::colVersionText));
        EXPECT_EQ(3, grid->CellValue(row, -1).toInt());
        EXPECT_FALSE(f.btnCloudShare->isVisible());
        EXPECT_FALSE(f.btnSearch->isEnabled());
        EXPECT_FALSE(f.btnSearchCancel->isEnabled());

        // Choosing only: Esc and F12 are the only keys with a function.
        EXPECT_EQ(QStringLiteral("ESC:ｷｬﾝｾﾙ"), Caption(f.ESC));
        for (TxPlButton* key : {f.F1, f.F2, f.F3, f.F4, f.F5, f.F6, f.F7, f.F8})
            EXPECT_TRUE(Caption(key).endsWith(QLatin1Char(':'))) << Caption(key).toStdString();
        EXPECT_EQ(QStringLiteral("F12:選択"), Caption(f.F12));
        EXPECT_TRUE(
            f.HintArea->toPlainText().startsWith(QStringLiteral("［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。")));
        Choose(f, 3);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(Folder(3), SystemDef.DataDir);
    EXPECT_EQ(Folder(3), SystemDef.DataPathRegistered);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull()) << "the form frees itself on close";
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataSentakuBoxTest, ParametersSetTheKindTheConditionsAndTheKeepOnCloseFlag)
{
    struct Case {
        std::vector<std::string> lines;
        int kind;
        int jyokenUse;
        std::string dataVer;
        int verMode;
        bool keep;
    };
    const Case cases[] = {
        {{"SyoriType=-2"}, 0, 0, "", 0, false},
        {{"SyoriType=abc", "ManualFree=1"}, 0, 0, "", 0, false},
        {{"syoritype=1", "JyokenSet", "DataVerMajor=15", "DataVer=14.1"}, 1, 1, "15", VersionModeMajor, false},
        {{"SyoriType=4", "JyokenSet=1", "DataVer=14.1", "DataVerMore=12.3", "ManualFree=1"},
         4,
         1,
         "12.3",
         VersionModeAtLeast,
         true},
    };
    for (const Case& c : cases) {
        TDataSentakuBox* form = Create(c.lines);
        EXPECT_EQ(c.kind, form->SyoriType());
        EXPECT_EQ(c.jyokenUse, form->ParameterConditions().JYOKENUSE);
        EXPECT_EQ(c.dataVer, form->ParameterConditions().DATAVER);
        EXPECT_EQ(c.verMode, form->ParameterConditions().VERMODE);
        EXPECT_EQ(c.keep, form->KeepOnClose);
        delete form;
    }

    TDataSentakuBox* form = Create({"SyoriType=5", "OnlySA_Syori=Restore", "OnlySA_BackupPath=/media/usb"});
    EXPECT_EQ(1, form->CarryMode());
    EXPECT_EQ("/media/usb", form->BackupFolder());
    try {
        form->SetParams({"SyoriType=9"});
        ADD_FAILURE() << "kind 9 accepted";
    } catch (const std::exception& error) {
        EXPECT_STREQ("処理タイプに範囲外の値が設定されました。", error.what());
    }
    EXPECT_EQ(5, form->SyoriType());
    delete form;
}

TEST_F(DataSentakuBoxTest, HeaderClicksSortAndTheOrderIsStoredOnClose)
{
    AddRow({1, "A1", "甲", 1, 15, 0, 0, 1, true, 0, 3});
    AddRow({2, "B1", "乙", 1, 15, 0, 0, 1, true, 0, 1});
    AddRow({3, "C1", "丙", 1, 15, 0, 0, 1, true, 0, 2});

    const int result = Run(Create({"SyoriType=3"}), [](TDataSentakuBox& f) {
        ClickHeader(f, TDataSentakuBox::colNendo);
        EXPECT_EQ((std::vector<int>{2, 3, 1}), Recs(f));
        EXPECT_EQ(QStringLiteral("会計年度▲"), f.PerfectGrid1->HeaderText(TDataSentakuBox::colNendo));
        EXPECT_EQ(QStringLiteral("No"), f.PerfectGrid1->HeaderText(TDataSentakuBox::colNo));
        ClickHeader(f, TDataSentakuBox::colNendo);
        EXPECT_EQ((std::vector<int>{1, 3, 2}), Recs(f));
        EXPECT_EQ(QStringLiteral("会計年度▼"), f.PerfectGrid1->HeaderText(TDataSentakuBox::colNendo));
        // Columns without a sort of their own do nothing.
        ClickHeader(f, TDataSentakuBox::colSharePic);
        EXPECT_EQ((std::vector<int>{1, 3, 2}), Recs(f));
        EXPECT_TRUE(f.SortDescending());
        QTest::keyClick(f.PerfectGrid1, Qt::Key_Escape);
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ("2", Single("SELECT SORTCOL FROM KENSAKUJYOKEN WHERE OPCODE=100000001 AND LISTTYPE=0"));
    EXPECT_EQ("1", Single("SELECT SORTTYPE FROM KENSAKUJYOKEN WHERE OPCODE=100000001 AND LISTTYPE=0"));

    // The next start takes the stored order.
    Run(Create({"SyoriType=3"}), [](TDataSentakuBox& f) {
        EXPECT_EQ(TDataSentakuBox::colNendo, f.SortColumn());
        EXPECT_EQ((std::vector<int>{1, 3, 2}), Recs(f));
        f.ESCClick();
    });
}

TEST_F(DataSentakuBoxTest, RowChecksOfChoosingOnlyRefuseWithTheirMessagesAndKeepTheScreenOpen)
{
    AddRow({1, "A1", "使用中データ", 1, 15, 0, 0, 2});
    AddRow({2, "A2", "データなし", 1, 15, 0, 0, 1, false});
    AddRow({3, "A3", "状態不明", 1, 15, 0, 0, 0});
    AddRow({4, "A4", "共有データ", 1, 15, 0, 0, 1, true, 1});
    // A refused row is read again from its data.
    for (int rec : {1, 3})
        dstest::DataSentakuWorld::PutCompanyData(Folder(rec),
                                                 {"会社" + std::to_string(rec), "N" + std::to_string(rec)});

    const int result = Run(Create(WizardLines), [this](TDataSentakuBox& f) {
        // In use by another operator: the state box with the holder.
        WhenModalShows([](QWidget* box) {
            auto* messageBox = qobject_cast<TMessageBox*>(box);
            ASSERT_NE(nullptr, messageBox);
            EXPECT_EQ(QStringLiteral("選択データの状態"), box->windowTitle());
            EXPECT_EQ(QStringLiteral("このデータは使用中のため処理が行えません。\n"
                                     "前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。"),
                      messageBox->lblMain->text().replace(QLatin1Char('\r'), QLatin1Char('\n')));
            const QString lines = messageBox->MessageArea->toPlainText();
            EXPECT_TRUE(lines.contains(QStringLiteral("【オペレータ】\n　7"))) << lines.toStdString();
            EXPECT_TRUE(lines.contains(QStringLiteral("【オペレータ名】\n　佐藤"))) << lines.toStdString();
            messageBox->btnOK->Click();
        });
        Choose(f, 1);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(QStringLiteral("N1"), f.PerfectGrid1->CellText(RowOf(f, 1), TDataSentakuBox::colCode));

        Choose(f, 2);
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ("このフォルダには財務データがありません。\r", presenter.shown[0].Text);
        EXPECT_EQ(TMsgDlgType::mtWarning, presenter.shown[0].Type);

        // A state 0 is refused without a word.
        Choose(f, 3);
        EXPECT_EQ(1u, presenter.shown.size());

        // Shared data not taken, automatic sharing off: no choosing at all.
        f.PerfectGrid1->MoveCursor(RowOf(f, 4), 0);
        EXPECT_EQ(QStringLiteral("F12:"), Caption(f.F12));
        QTest::keyClick(f.PerfectGrid1, Qt::Key_F12);
        EXPECT_EQ(1u, presenter.shown.size());
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ("", SystemDef.DataDir);
        QTest::keyClick(f.PerfectGrid1, Qt::Key_Escape);
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ("", SystemDef.DataDir);
}

TEST_F(DataSentakuBoxTest, DataThatForbidsItsPendingUpdateIsGreyChosenOnlyInKindThree)
{
    // A version the registered updates go beyond.
    AddRow({1, "A1", "更新禁止", 1, 1, 0, 1});
    AddRow({2, "A2", "普通", 1, 1, 0, 0});
    AddRow({3, "A3", "更新禁止最新", 1, 9999, 0, 1});
    const QColor grey(128, 128, 128);

    int result = Run(Create({"SyoriType=0"}), [&](TDataSentakuBox& f) {
        TPerfectGrid* grid = f.PerfectGrid1;
        grid->MoveCursor(RowOf(f, 2), 0);
        EXPECT_EQ(grey, grid->item(RowOf(f, 1), 1 + TDataSentakuBox::colName)->foreground().color());
        EXPECT_NE(grey, grid->item(RowOf(f, 3), 1 + TDataSentakuBox::colName)->foreground().color());
        EXPECT_EQ(QStringLiteral("0"), grid->CellText(RowOf(f, 3), TDataSentakuBox::colUpdateLock));
        WhenModalShows([](QWidget* box) {
            auto* messageBox = qobject_cast<TMessageBox2*>(box);
            ASSERT_NE(nullptr, messageBox);
            bool found = false;
            for (QLabel* label : box->findChildren<QLabel*>())
                found = found || label->text() ==
                                     QStringLiteral("このデータは「データの更新」処理を行うことが禁止されています。");
            EXPECT_TRUE(found);
            messageBox->reject();
        });
        Choose(f, 1, Qt::Key_Return);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ("", SystemDef.DataDir);
        QTest::keyClick(grid, Qt::Key_Escape);
    });
    EXPECT_EQ(2, result);

    result = Run(Create({"SyoriType=3"}), [&](TDataSentakuBox& f) {
        EXPECT_EQ(grey, f.PerfectGrid1->item(RowOf(f, 1), 1 + TDataSentakuBox::colName)->foreground().color());
        Choose(f, 1, Qt::Key_Return);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(Folder(1), SystemDef.DataDir);
}

TEST_F(DataSentakuBoxTest, CancelKeepsThePreviousDataWhenItIsStillThere)
{
    AddRow({1, "A1", "前回", 1, 15});
    SystemDef.DataDir = Folder(1);
    SystemDef.DataPathRegistered = "registered";
    const int result = Run(Create(WizardLines), [](TDataSentakuBox& f) {
        // The cursor starts on the data chosen before.
        EXPECT_EQ(RowOf(f, 1), f.PerfectGrid1->CurRow());
        f.ESC->Click();
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ(Folder(1), SystemDef.DataDir);
    EXPECT_EQ("", SystemDef.DataPathRegistered);
}

TEST_F(DataSentakuBoxTest, IncrementalSearchFindsTheCodeTypedAndShowsAtMostEightCharacters)
{
    AddRow({1, "B100", "一"});
    AddRow({2, "A100", "二"});
    AddRow({3, "A123", "三"});
    Run(Create({"SyoriType=3"}), [](TDataSentakuBox& f) {
        TPerfectGrid* grid = f.PerfectGrid1;
        grid->MoveCursor(RowOf(f, 2), 0);
        QTest::keyClicks(grid, "a12");
        EXPECT_EQ(QStringLiteral("A12"), f.txtIncSerch->text());
        EXPECT_TRUE(f.txtIncSerch->isVisible());
        QDeadlineTimer deadline(5000);
        while (grid->CurRow() != RowOf(f, 3) && !deadline.hasExpired())
            QTest::qWait(20);
        EXPECT_EQ(RowOf(f, 3), grid->CurRow());
        EXPECT_FALSE(f.txtIncSerch->isVisible());

        QTest::keyClicks(grid, "ABCDEFGHI");
        EXPECT_EQ(QStringLiteral("ABCDEFGH"), f.txtIncSerch->text());
        deadline = QDeadlineTimer(5000);
        while (f.txtIncSerch->isVisible() && !deadline.hasExpired())
            QTest::qWait(20);
        EXPECT_EQ(RowOf(f, 3), grid->CurRow()) << "nothing starts with the nine characters";
        f.ESCClick();
    });
}

TEST_F(DataSentakuBoxTest, ChoosingAnEmptyPlaceRefusesDataAndReturnsBothPaths)
{
    AddRow({1, "A1", "あり"});
    AddRow({2, "", "", 0, 0, 0, 0, 1, false});
    SystemDef.AutoShareData = 1;
    const int result = Run(Create({"SyoriType=2"}), [this](TDataSentakuBox& f) {
        EXPECT_EQ(0, SystemDef.AutoShareData);
        EXPECT_EQ(QStringLiteral("F3:"), Caption(f.F3));
        Choose(f, 1);
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ("選択したパスには既にデータが存在します。\r他の場所を選んで下さい。", presenter.shown[0].Text);
        Choose(f, 2);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ("PATH1=" + Folder(2) + "\rPATH2=" + Folder(2), SystemDef.DataSelectResult);
    EXPECT_EQ(1, SystemDef.AutoShareData);
}

TEST_F(DataSentakuBoxTest, SharedDataNotTakenYetIsHandedOverWithAutomaticSharingAndKeepsItsRow)
{
    AddRow({4, "A4", "共有データ", 1, 15, 0, 0, 1, true, 1});
    SystemDef.AutoShareData = 1;
    const int result = Run(Create(WizardLines), [](TDataSentakuBox& f) {
        f.PerfectGrid1->MoveCursor(RowOf(f, 4), 0);
        EXPECT_EQ(QStringLiteral("F12:選択"), Caption(f.F12));
        Choose(f, 4);
    });
    // The caller takes the data into its local folder, which has no copy
    // yet; the row stays as it was, not taken.
    EXPECT_EQ(1, result);
    EXPECT_EQ(SystemDef.SYSDIR + "/0004", SystemDef.DataDir);
    EXPECT_FALSE(std::filesystem::exists(SystemDef.DataDir));
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ("共有データ", Single("SELECT ENTTEXT FROM DATALIST WHERE REC=4"));
    EXPECT_EQ("0", Single("SELECT KYOYULOCK FROM DATALIST WHERE REC=4"));
    EXPECT_EQ(SystemDef.DataPathRegistered, Single("SELECT PASNAME FROM DATALIST WHERE REC=4"));
}

TEST_F(DataSentakuBoxTest, SearchConditionsFilterTheListAreStoredAndAreCleared)
{
    AddRow({1, "A100", "甲商事"});
    AddRow({2, "B100", "乙商事"});
    AddRow({3, "A200", "丙医院", 3});
    const int result = Run(Create({"SyoriType=0"}), [this](TDataSentakuBox& f) {
        EXPECT_TRUE(f.btnSearch->isEnabled());
        EXPECT_FALSE(f.btnSearchCancel->isEnabled());
        TDataListKensakuBox* box = f.DataListKensakuBox;
        WhenModalShows([box](QWidget* shown) {
            EXPECT_EQ(box, shown);
            QTest::keyClicks(box->txtCode, "a");
            box->cmbDataKbn->setCurrentIndex(1);
            box->btnOK->Click();
        });
        f.btnSearch->Click();
        EXPECT_EQ((std::vector<int>{1}), Recs(f));
        EXPECT_TRUE(f.btnSearchCancel->isEnabled());

        // Cancel in the dialog leaves the search as it is.
        WhenModalShows([box](QWidget*) { box->btnCancel->Click(); });
        f.btnSearch->Click();
        EXPECT_EQ((std::vector<int>{1}), Recs(f));

        f.btnSearchCancel->Click();
        EXPECT_EQ((std::vector<int>{1, 2, 3}), Recs(f));
        EXPECT_FALSE(f.btnSearchCancel->isEnabled());
        f.ESCClick();
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ("a", Single("SELECT DATACODE FROM KENSAKUJYOKEN WHERE OPCODE=100000001 AND LISTTYPE=0"));
    EXPECT_EQ("1", Single("SELECT DATATYPE FROM KENSAKUJYOKEN WHERE OPCODE=100000001 AND LISTTYPE=0"));
    EXPECT_EQ("0", Single("SELECT JYOKENUSE FROM KENSAKUJYOKEN WHERE OPCODE=100000001 AND LISTTYPE=0"));
}

TEST_F(DataSentakuBoxTest, AnEmptyFolderOffersNewDataAndIsChosenOnlyWhenDataWasMade)
{
    AddRow({1, "", "", 0, 0, 0, 0, 1, false});
    std::vector<std::string> launched;
    int answer = 2;
    ProcessLauncherHook = [&](const std::string& name, std::int32_t, const std::string& lines) {
        launched.push_back(name + "|" + lines);
        // The folder is held while the data is made.
        EXPECT_EQ(9, ReadDataFolderStatus(Folder(1)).STATUS);
        if (answer == 1)
            std::ofstream(Folder(1) + "/qhacc.fdb") << "data";
        return answer;
    };
    struct Restore {
        ~Restore() { ProcessLauncherHook = nullptr; }
    } restore;

    // No: nothing is made; a creation that is cancelled: the screen stays.
    presenter.answers = {mrNo, mrYes};
    int result = Run(Create({"SyoriType=0"}), [&](TDataSentakuBox& f) {
        Choose(f, 1);
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ("選択したパスにはデータが存在しません。\r新規にデータを作成しますか？", presenter.shown[0].Text);
        EXPECT_TRUE(launched.empty());
        Choose(f, 1);
        ASSERT_EQ(1u, launched.size());
        EXPECT_EQ(0u, launched[0].find("QvKihonWiz|DataPath=" + Folder(1) + "\rDataListRec=1\rPHandle="));
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(1, ReadDataFolderStatus(Folder(1)).STATUS);
        f.ESCClick();
    });
    EXPECT_EQ(2, result);
    EXPECT_EQ("", SystemDef.DataDir);

    answer = 1;
    presenter.answers = {mrYes};
    result = Run(Create({"SyoriType=1"}), [](TDataSentakuBox& f) { Choose(f, 1); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(Folder(1), SystemDef.DataDir);
    EXPECT_EQ(1, ReadDataFolderStatus(Folder(1)).STATUS);
}

TEST_F(DataSentakuBoxTest, KindOneAsksBeforeQuittingByTheCloseBoxAndKeepsOnlyDataThatIsStillThere)
{
    AddRow({1, "A1", "前回", 1, 15});
    SystemDef.DataDir = Folder(1);
    SystemDef.ProgramTitle = "Ledrix財務";
    const auto answerQuit = [](int button) {
        WhenModalShows([button](QWidget* box) {
            auto* messageBox = qobject_cast<TMessageBox2*>(box);
            ASSERT_NE(nullptr, messageBox);
            bool found = false;
            for (QLabel* label : box->findChildren<QLabel*>())
                found = found || label->text() == QStringLiteral("Ledrix財務を終了します。よろしいですか？");
            EXPECT_TRUE(found);
            messageBox->Buttons[static_cast<std::size_t>(button)]->click();
        });
    };
    int result = Run(Create({"SyoriType=1"}), [&](TDataSentakuBox& f) {
        answerQuit(1);
        f.close();
        EXPECT_TRUE(f.isVisible()) << "Cancel keeps the screen";
        answerQuit(0);
        f.close();
    });
    EXPECT_EQ(3, result);

    // Esc goes back to the data chosen before, unless it has gone.
    result = Run(Create({"SyoriType=1"}), [](TDataSentakuBox& f) { f.ESCClick(); });
    EXPECT_EQ(2, result);
    EXPECT_EQ(Folder(1), SystemDef.DataDir);
    fs::remove(Folder(1) + "/qhacc.fdb");
    result = Run(Create({"SyoriType=1"}), [&](TDataSentakuBox& f) {
        f.ESCClick();
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ("前回、選択したデータは削除されています。\r", presenter.shown[0].Text);
        EXPECT_TRUE(f.isVisible());
        f.PerfectGrid1->setFocus();
        answerQuit(0);
        f.close();
    });
    EXPECT_EQ(3, result);
}

// Client/server mode: the system database "qhaccdef.fdb" of the data root
// "srv/data" on the test's private server with its file procedures, real
// company databases in the data folders, and the places seeded afresh for
// that root (those of the master name the folder it was built in).
class DataSentakuBoxServerTest : public DataSentakuBoxTest {
protected:
    void SetUp() override
    {
        DataSentakuBoxTest::SetUp();
        if (HasFatalFailure())
            return;
        // Built while the program is still in stand-alone mode: the master
        // builder runs the updates on the local engine.
        companyMaster_ = dbtest::CompanyMasterFile("");
        dbtest::TestFirebird& firebird = dbtest::TestFirebird::Get();
        DM->IBDatabaseDEF.Detach();
        fs::create_directories(Root());
        fs::copy_file(folder_ / "sys" / "qhaccdef.fdb", Root() / "qhaccdef.fdb");
        dbtest::InstallFileProcModule();
        dbtest::Declare((Root() / "qhaccdef.fdb").string(), LEDRIX_FILEPROC_SQL);
        firebird.StartServer();
        firebird.GrantServerAdmin();
        SystemDef.SYSDIR = Root().string();
        SystemDef.HOSTNAME = "127.0.0.1";
        ConnectionMode = 1;
        AppInfo.Zaimu.DataListCnt = 3;
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        Exec("DELETE FROM DATAPLACEMAN");
    }

    fs::path Root() const { return folder_ / "srv" / "data"; }
    void Exec(const std::string& sql)
    {
        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        db::Query(DM->IBDatabaseDEF, tr, sql).ExecSQL();
        tr.Commit();
    }
    // A named row of the place's list, with a company database when
    // withData.
    void NameRow(int place, int rec, const std::string& name, bool withData)
    {
        char number[8];
        std::snprintf(number, sizeof number, "%.4d", rec);
        const std::string folder =
            (place == 0 ? Root().string() : Root().string() + "0" + std::to_string(place)) + "/" + number;
        const std::string set = "SET ENTTEXT='" + name + "',SHOUGOU='" + name +
                                "',DATATYPE=1,VER_MAJOR=15,VER_TEXT='15版',NENDO=3,KISHU='2024/04/01',"
                                "KIMATU='2025/03/31' ";
        if (place == 0)
            Exec("UPDATE OR INSERT INTO DATALIST(REC,GROUPID,PASNAME) VALUES(" + std::to_string(rec) + ",10000,'" +
                 folder + "') MATCHING (REC)");
        Exec("UPDATE " + std::string(place == 0 ? "DATALIST " : "DATALIST_EX ") + set +
             "WHERE REC=" + std::to_string(rec) + (place == 0 ? "" : " AND DATAPLACEREC=" + std::to_string(place)));
        fs::create_directories(folder);
        if (withData)
            dbtest::CopyMasterFile(companyMaster_, fs::path(folder) / "qhacc.fdb");
    }
    // Names a place as its dialog does, which fills its list.
    void NamePlace(int place, const std::string& name)
    {
        TDataPlaceStore store;
        ASSERT_TRUE(store.LoadPlaces(false));
        TDataPlaceRec& rec = store.List.at(static_cast<std::size_t>(store.IndexOfDataPlaceRec(place)));
        rec.NAME = name;
        rec.State = TDataPlaceStore::StateNamed;
        store.SaveChanges();
    }
    static void ClickCell(TDataSentakuBox& form, int row, int col)
    {
        TPerfectGrid* grid = form.PerfectGrid1;
        const QRect cell = grid->visualItemRect(grid->item(row, col + 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

private:
    fs::path companyMaster_;
};

TEST_F(DataSentakuBoxServerTest, ThePlaceChosenDecidesTheListAndItsFoldersAreCheckedOnTheServer)
{
    NamePlace(3, "第三");
    NameRow(0, 1, "本社", false);
    NameRow(3, 2, "支店", true);
    SystemDef.DataPlaceNo = 3;

    const int result = Run(Create({"SyoriType=3"}), [this](TDataSentakuBox& f) {
        EXPECT_EQ(QStringLiteral("データ選択（サーバー）"), f.windowTitle());
        EXPECT_TRUE(f.pnlDataMan->isVisible());
        EXPECT_FALSE(f.cboxKyoyuDataAuto->isVisible());
        ASSERT_EQ(2, f.cmbDataMan->count());
        // The test's data root is longer than a place name may be.
        EXPECT_EQ(QStringLiteral("標準の場所"), f.cmbDataMan->itemText(0));
        EXPECT_EQ(QStringLiteral("第三"), f.cmbDataMan->currentText());
        EXPECT_EQ(3, f.DataPlaceNo());
        EXPECT_EQ(Root().string() + "03", f.DataPlacePath());
        EXPECT_EQ((std::vector<int>{1, 2, 3}), Recs(f));
        EXPECT_EQ(QStringLiteral("鍵"), f.PerfectGrid1->HeaderText(TDataSentakuBox::colLockPic));
        EXPECT_EQ(32, f.PerfectGrid1->ColWidth(TDataSentakuBox::colLockPic));
        EXPECT_EQ(0, f.PerfectGrid1->ColWidth(TDataSentakuBox::colSharePic));

        // While another place is being chosen nothing can be chosen from the
        // list; leaving the combo shows the place's list.
        f.cmbDataMan->setFocus();
        QTest::keyClick(f.cmbDataMan, Qt::Key_Up);
        EXPECT_FALSE(f.PerfectGrid1->isEnabled());
        EXPECT_EQ(QStringLiteral("F12:"), Caption(f.F12));
        QTest::keyClick(f.cmbDataMan, Qt::Key_Tab);
        EXPECT_FALSE(f.cmbDataMan->hasFocus());
        EXPECT_TRUE(f.PerfectGrid1->isEnabled());
        EXPECT_EQ(0, f.DataPlaceNo());
        EXPECT_EQ((std::vector<int>{1}), Recs(f));
        EXPECT_EQ(QStringLiteral("本社"), f.PerfectGrid1->CellText(0, TDataSentakuBox::colName));

        f.cmbDataMan->setFocus();
        QTest::keyClick(f.cmbDataMan, Qt::Key_Down);
        QTest::keyClick(f.cmbDataMan, Qt::Key_Tab);
        EXPECT_EQ(3, f.DataPlaceNo());
        ASSERT_EQ((std::vector<int>{1, 2, 3}), Recs(f));

        // The server finds no data file in the folder of row 1.
        Choose(f, 1);
        ASSERT_EQ(1u, presenter.shown.size());
        EXPECT_EQ("このフォルダには財務データがありません。\r", presenter.shown[0].Text);
        EXPECT_TRUE(f.isVisible());
        Choose(f, 2);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(Root().string() + "03/0002", SystemDef.DataDir);
    EXPECT_EQ(3, SystemDef.DataPlaceNo);
}

TEST_F(DataSentakuBoxServerTest, TheLockColumnLocksForThisOperatorAndOnlyHeFreesIt)
{
    NameRow(0, 1, "本社", true);
    NameRow(0, 2, "他人のロック", true);
    Exec("UPDATE DATALIST SET DATALOCK=10 WHERE REC=2");
    const auto lock = [this](int rec) {
        return Single("SELECT DATALOCK FROM DATALIST WHERE REC=" + std::to_string(rec));
    };

    const int result = Run(Create({"SyoriType=0"}), [&](TDataSentakuBox& f) {
        const int own = RowOf(f, 1);
        ClickCell(f, own, TDataSentakuBox::colLockPic);
        EXPECT_EQ("1", lock(1));
        EXPECT_EQ(QStringLiteral("1"), f.PerfectGrid1->CellText(own, TDataSentakuBox::colLock));
        ClickCell(f, own, TDataSentakuBox::colLockPic);
        EXPECT_EQ("0", lock(1));

        // Another operator's lock stays, with the holder named.
        QString lines;
        QString text;
        const auto readBox = [&](const char* caption) {
            WhenModalShows([&, caption](QWidget* box) {
                auto* messageBox = qobject_cast<TMessageBox*>(box);
                ASSERT_NE(nullptr, messageBox);
                EXPECT_EQ(QString::fromUtf8(caption), box->windowTitle());
                lines = messageBox->MessageArea->toPlainText();
                text = messageBox->lblMain->text();
                messageBox->btnOK->Click();
            });
        };
        readBox("ロックデータの状態");
        ClickCell(f, RowOf(f, 2), TDataSentakuBox::colLockPic);
        EXPECT_EQ("10", lock(2));
        EXPECT_EQ(QStringLiteral("このデータは違うオペレータによりロックされているため解除は行えません。"), text);
        EXPECT_TRUE(lines.contains(QStringLiteral("【オペレータ】\n　100000010\n【オペレータ名】\n　管理者")))
            << lines.toStdString();

        // Locked data cannot be chosen; free data can.
        readBox("選択データの状態");
        Choose(f, 2);
        EXPECT_EQ(QStringLiteral("このデータはデータロック中のため処理が行えません。"), text);
        EXPECT_TRUE(lines.contains(QStringLiteral("【オペレータ】\n　10\n"))) << lines.toStdString();
        EXPECT_TRUE(f.isVisible());
        Choose(f, 1);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(Root().string() + "/0001", SystemDef.DataDir);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataSentakuBoxServerTest, ThePlacesDialogNamesOrdersAndDeletesAndTheComboFollows)
{
    NamePlace(3, "第三");
    NameRow(3, 2, "支店", true);
    SystemDef.DataPlaceNo = 3;
    const auto single = [this](const std::string& sql) { return Single(sql); };

    const int result = Run(Create({"SyoriType=0"}), [&](TDataSentakuBox& f) {
        WhenModalShows([&](QWidget* shown) {
            auto* box = qobject_cast<TDataPlaceBox*>(shown);
            ASSERT_EQ(f.DataPlaceBox, box);
            TPerfectGrid* grid = box->PerfectGrid1;
            ASSERT_EQ(100, grid->Rows());
            EXPECT_EQ(3, grid->CurRow());
            EXPECT_EQ(QStringLiteral("F2:"), Caption(box->F2));
            EXPECT_EQ(QStringLiteral("F5:削除"), Caption(box->F5));

            // A place with data cannot be deleted.
            QTest::keyClick(grid, Qt::Key_F5);
            ASSERT_EQ(1u, presenter.shown.size());
            EXPECT_EQ(0u, presenter.shown[0].Text.find(
                              "このフォルダ配下には会計データが存在しているため削除することが出来ません。"));
            EXPECT_EQ("第三", single("SELECT NAME FROM DATAPLACEMAN WHERE REC=3"));

            // Naming place 5 makes its folder on the server and its list.
            grid->MoveCursor(5, 0);
            EXPECT_EQ(QStringLiteral("F2:新規作成"), Caption(box->F2));
            EXPECT_EQ(QStringLiteral("F5:"), Caption(box->F5));
            WhenModalShows([](QWidget* input) {
                auto* dialog = qobject_cast<TInputDlgBox*>(input);
                ASSERT_NE(nullptr, dialog);
                EXPECT_EQ(QStringLiteral("新規作成"), dialog->windowTitle());
                dialog->txtInput->setText(QStringLiteral("　第五 "));
                dialog->btnOK->Click();
            });
            QTest::keyClick(grid, Qt::Key_F2);
            EXPECT_TRUE(fs::is_directory(Root().string() + "05"));
            EXPECT_EQ("第五", single("SELECT NAME FROM DATAPLACEMAN WHERE REC=5"));
            EXPECT_EQ("3", single("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=5"));
            EXPECT_EQ(QStringLiteral("F3:名称変更"), Caption(box->F3));

            // Up: the two places swap their positions.
            box->F6->Click();
            EXPECT_EQ(4, grid->CurRow());
            EXPECT_EQ(QStringLiteral("第五"), grid->CellText(4, 1));
            EXPECT_EQ("5", single("SELECT ORDERKBN FROM DATAPLACEMAN WHERE REC=5"));
            EXPECT_EQ("6", single("SELECT ORDERKBN FROM DATAPLACEMAN WHERE REC=4"));
            // Esc keeps what was done.
            QTest::keyClick(grid, Qt::Key_Escape);
        });
        f.btnDataMan->Click();
        ASSERT_EQ(3, f.cmbDataMan->count());
        EXPECT_EQ(QStringLiteral("第三"), f.cmbDataMan->itemText(1));
        EXPECT_EQ(QStringLiteral("第五"), f.cmbDataMan->itemText(2));
        EXPECT_EQ(QStringLiteral("第三"), f.cmbDataMan->currentText());

        // Once its data has gone, the place shown can be deleted: the list
        // of place 0 takes its place.
        fs::remove_all(Root().string() + "03");
        presenter.answers = {mrOk};
        WhenModalShows([&](QWidget* shown) {
            auto* box = qobject_cast<TDataPlaceBox*>(shown);
            ASSERT_NE(nullptr, box);
            box->F5->Click();
            ASSERT_EQ(2u, presenter.shown.size());
            EXPECT_EQ("[第三]を削除します。よろしいですか？", presenter.shown[1].Text);
            box->btnOK->Click();
        });
        f.btnDataMan->Click();
        EXPECT_EQ("0", single("SELECT COUNT(*) FROM DATALIST_EX WHERE DATAPLACEREC=3"));
        ASSERT_EQ(2, f.cmbDataMan->count());
        EXPECT_EQ(0, f.DataPlaceNo());
        EXPECT_TRUE(Recs(f).empty());
        f.ESCClick();
    });
    EXPECT_EQ(2, result);
}

}  // namespace
