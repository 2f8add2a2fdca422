#include "controls/widgets/TBSDI.h"

#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/AccInfoLoader.h"
#include "foundation/SystemDef.h"
#include "foundation/AccInf.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/HostHooks.h"
#include "foundation/DataModule.h"
#include "platform/DateTime.h"
#include "platform/db/FirebirdServerFixture.h"
#include "platform/db/MasterCache.h"
#include "support/DatabaseMasters.h"
#include "support/RecordingMessagePresenter.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace dbtest;

namespace {

// A process screen or dialog as descendants build one: controls first, then
// the base set-up, then the switches.
class TestScreen : public TBSDI {
public:
    explicit TestScreen(TFormBorderStyle style, bool kikanMove = true) : TBSDI(nullptr, style)
    {
        setObjectName(QStringLiteral("TestScreen"));
        setWindowTitle(QStringLiteral("仕訳入力"));
        label = new QLabel(QStringLiteral("本・支店別の支店コード"), this);
        label->setGeometry(100, 50, 200, 20);
        edit = new QLineEdit(this);
        edit->setGeometry(100, 80, 120, 22);
        button = new TxPlButton(QStringLiteral("btnF12"), this);
        button->setGeometry(100, 110, 80, 30);
        kikan = new TxKikanPanel16(this);
        kikan->setObjectName(QStringLiteral("KikanPanel16"));
        kikan->SetKikanMove(kikanMove);
        kikan->setGeometry(10, 150, 248, 24);
        date = new TLedrixExDateEdit(this);
        date->move(10, 180);
        FormCreate();
        KeepOnClose = true;
        CreatedOK = true;
    }

    void ShowActive()
    {
        show();
        activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
        edit->setFocus();
    }

    QLabel* label;
    QLineEdit* edit;
    TxPlButton* button;
    TxKikanPanel16* kikan;
    TLedrixExDateEdit* date;
};

// Program globals that the form reads, put back afterwards.
class GlobalsGuard {
public:
    ~GlobalsGuard()
    {
        SystemDef = def_;
        AccInf = acc_;
        MenuCallbackHook = nullptr;
        SetAccInfoLoader(nullptr);
    }

private:
    TSystemDef def_ = SystemDef;
    TACCINF acc_ = AccInf;
};

// ---------------------------------------------------------------------------
// Keys

struct KeyCase {
    const char* name;
    TFormBorderStyle style;
    int key;
    Qt::KeyboardModifiers shift;
    bool hasButton;
    bool buttonVisible;
    bool buttonEnabled;
    bool buttonHandler;
    bool closes;
    bool clicked;
    int lastKey;  // the modifier's own release comes last
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class TBSDIKeys : public ::testing::TestWithParam<KeyCase> {
protected:
    GlobalsGuard guard;
};

TEST_P(TBSDIKeys, KeyUp)
{
    const KeyCase& c = GetParam();
    TestScreen form(c.style);
    form.UseProcHistory = false;
    form.UseSizeMemory = false;
    form.ReloadAccInfo = false;
    int clicks = 0;
    bool focusedOnClick = false;
    if (c.buttonHandler)
        form.button->OnClick = [&](QObject* sender) {
            EXPECT_EQ(sender, form.button);
            focusedOnClick = form.button->hasFocus();
            ++clicks;
        };
    form.button->setFocusPolicy(Qt::StrongFocus);
    form.button->setEnabled(c.buttonEnabled);
    if (c.hasButton)
        form.F12Button = form.button;
    form.ShowActive();
    form.button->setVisible(c.buttonVisible);
    form.edit->setFocus();

    QTest::keyClick(form.edit, static_cast<Qt::Key>(c.key), c.shift);
    EXPECT_EQ(!form.isVisible(), c.closes);
    EXPECT_EQ(clicks, c.clicked ? 1 : 0);
    if (c.clicked) {
        EXPECT_TRUE(focusedOnClick);
    }
    EXPECT_EQ(form.LastKey, c.lastKey);
}

constexpr auto kNone = Qt::NoModifier;
INSTANTIATE_TEST_SUITE_P(
    Table, TBSDIKeys,
    ::testing::Values(
        KeyCase{"DialogEscCloses", bsDialog, Qt::Key_Escape, kNone, false, true, true, true, true, false, 27},
        KeyCase{"FormEscIgnored", bsSizeable, Qt::Key_Escape, kNone, false, true, true, true, false, false, 27},
        KeyCase{"DialogEscWithShiftIgnored", bsDialog, Qt::Key_Escape, Qt::ShiftModifier, false, true, true, true,
                false, false, 16},
        KeyCase{"FormF12Closes", bsSizeable, Qt::Key_F12, kNone, false, true, true, true, true, false, 123},
        KeyCase{"FormF12WithCtrlIgnored", bsSizeable, Qt::Key_F12, Qt::ControlModifier, false, true, true, true, false,
                false, 17},
        KeyCase{"FormF12WithAltIgnored", bsSizeable, Qt::Key_F12, Qt::AltModifier, false, true, true, true, false,
                false, 18},
        KeyCase{"DialogF12PressesButton", bsDialog, Qt::Key_F12, kNone, true, true, true, true, false, true, 0},
        KeyCase{"DialogF12HiddenButton", bsDialog, Qt::Key_F12, kNone, true, false, true, true, false, false, 123},
        KeyCase{"DialogF12DisabledButton", bsDialog, Qt::Key_F12, kNone, true, true, false, true, false, false, 123},
        KeyCase{"DialogF12ButtonWithoutHandler", bsDialog, Qt::Key_F12, kNone, true, true, true, false, false, false,
                123},
        KeyCase{"DialogF12WithoutButton", bsDialog, Qt::Key_F12, kNone, false, true, true, true, false, false, 123},
        KeyCase{"DialogF1Nothing", bsDialog, Qt::Key_F1, kNone, true, true, true, true, false, false, 112}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// First show without a database: zoom, period selector, labels, hooks

TEST(TBSDIShowTest, ZoomsByOperatorFontOverStandardFont)
{
    GlobalsGuard guard;
    struct Case {
        int operatorSize;
        int zoom;
    };
    for (const Case c : {Case{10, 100}, Case{12, 120}, Case{9, 90}}) {
        SystemDef.StandardFont = {"IPAPGothic", 10, 0, 128, 0};
        SystemDef.OperatorFont = {"IPAGothic", c.operatorSize, 0, 128, 0};
        TestScreen form(bsDialog);
        form.show();
        const int screenPPI = static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
        EXPECT_EQ(form.ZoomPercent, c.zoom) << c.operatorSize;
        const int ppi = static_cast<int>(std::lround(screenPPI * c.zoom / 100.0));
        EXPECT_EQ(form.PixelsPerInch(), ppi);
        const auto scaled = [&](int v) {
            return static_cast<int>(std::lround(static_cast<double>(v) * ppi / screenPPI));
        };
        EXPECT_EQ(form.label->geometry(), QRect(scaled(100), scaled(50), scaled(200), scaled(20))) << c.operatorSize;
        EXPECT_EQ(form.font().family(), QStringLiteral("IPAGothic"));
        EXPECT_EQ(form.font().pointSize(), c.operatorSize);
        // The layout keeps what the form was built with.
        ASSERT_FALSE(form.Layout.empty());
        EXPECT_EQ(form.Layout[0].Left, 100);
        EXPECT_EQ(form.Layout[0].Width, 200);
        // A second show repeats nothing.
        form.hide();
        form.show();
        EXPECT_EQ(form.label->geometry(), QRect(scaled(100), scaled(50), scaled(200), scaled(20)));
    }
}

TEST(TBSDIShowTest, PeriodSelectorStartsAtTheDataStartMonth)
{
    GlobalsGuard guard;
    AccInf.SIME = 99;
    AccInf.KISHU = EncodeDate(2024, 4, 1);
    AccInf.KIMATU = EncodeDate(2025, 3, 31);
    AccInf.KAISI = AccInf.KISHU;
    struct Case {
        int kaisino;
        bool kikanMove;
        int stno;
        int edno;
    };
    const Case cases[] = {
        {4, true, 4, 15},    {4, false, 4, 4},  {1, false, 0, 0}, {7, true, 8, 15},
        {12, false, 14, 14}, {13, false, 0, 0}, {0, true, 0, 15},
    };
    for (const Case& c : cases) {
        AccInf.KAISINO = c.kaisino;
        TestScreen form(bsDialog, c.kikanMove);
        EXPECT_EQ(form.kikan->Stno(), c.stno) << c.kaisino;
        EXPECT_EQ(form.StartPeriod, c.stno) << c.kaisino;
        EXPECT_EQ(form.kikan->Edno(), c.edno) << c.kaisino;
    }
}

TEST(TBSDIShowTest, EraDateEditsFollowTheOperatorsEraSwitch)
{
    GlobalsGuard guard;
    for (int era : {0, 1}) {
        SystemDef.EraDisplay = era;
        TestScreen form(bsDialog);
        EXPECT_EQ(form.date->EditGengo(), era == 1);
        EXPECT_EQ(form.date->Gengo(), era == 1 ? rsWareki : rsSeireki);
    }
}

TEST(TBSDIShowTest, MedicalChartCallsBranchesFacilities)
{
    GlobalsGuard guard;
    for (std::uint8_t medical : {0, 1}) {
        AccInf.MedicalChart = medical;
        TestScreen form(bsDialog);
        form.show();
        EXPECT_EQ(form.label->text(),
                  medical ? QStringLiteral("施設別の施設コード") : QStringLiteral("本・支店別の支店コード"));
    }
}

TEST(TBSDIShowTest, MenuHookAskedForOtherScreensThenTheMenuAnswer)
{
    GlobalsGuard guard;
    for (int otherScreens : {0, 2}) {
        std::vector<std::pair<int, std::string>> calls;
        MenuCallbackHook = [&](std::int32_t command, const std::string& text) {
            calls.emplace_back(command, text);
            return command == 10 ? otherScreens : command == 11 ? 0x1234 : 0;
        };
        SystemDef.MenuAnswer = 9;
        TestScreen form(bsDialog);
        form.CallMenuHook = true;
        form.show();
        if (otherScreens == 0) {
            const std::vector<std::pair<int, std::string>> expected{{10, ""}, {11, "ZorvathMenu"}, {4, ""}};
            EXPECT_EQ(calls, expected);
            EXPECT_EQ(SystemDef.MenuAnswer, 0x34);
            EXPECT_TRUE(form.CallMenuHook);
        } else {
            const std::vector<std::pair<int, std::string>> expected{{10, ""}};
            EXPECT_EQ(calls, expected);
            EXPECT_EQ(SystemDef.MenuAnswer, 0);
            EXPECT_FALSE(form.CallMenuHook);
        }
    }
}

TEST(TBSDIShowTest, FrameCompensationMovesControlsLeftButNotGroupedOnes)
{
    GlobalsGuard guard;
    EXPECT_EQ(TBSDI::FrameCompensation(4), 0);
    EXPECT_EQ(TBSDI::FrameCompensation(6), 4);
    SystemDef.FrameHeight = 6;
    TestScreen form(bsSizeable);
    form.UseProcHistory = false;
    form.UseSizeMemory = false;
    form.ReloadAccInfo = false;
    auto* kept = new QFrame(&form);
    kept->setObjectName(QStringLiteral("pnlSwkInA"));
    kept->setGeometry(2, 300, 100, 40);
    auto* inside = new QLabel(QStringLiteral("x"), kept);
    inside->move(20, 5);
    form.show();
    EXPECT_EQ(form.label->x(), 96);
    EXPECT_EQ(kept->x(), 0);     // moved, not below 0
    EXPECT_EQ(inside->x(), 20);  // inside the journal panel: kept
    TBSDI dialog(nullptr, bsDialog);
    auto* label = new QLabel(&dialog);
    label->move(50, 5);
    dialog.FormCreate();
    dialog.KeepOnClose = true;
    dialog.show();
    EXPECT_EQ(label->x(), 50);  // dialogs get no compensation
}

TEST(TBSDIShowTest, FailedSetUpIsReportedAndCloses)
{
    GlobalsGuard guard;
    RecordingMessagePresenter presenter;
    TestScreen form(bsDialog);
    form.CreatedOK = false;
    form.show();
    EXPECT_FALSE(form.CheckCreatedOK());
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text, "仕訳入力画面の初期化に失敗しました。\r処理を終了します。");
    EXPECT_EQ(presenter.shown[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes});
    EXPECT_FALSE(form.isVisible());
}

TEST(TBSDIShowTest, HintMemoShowsTheLongHintOfTheFocusedControl)
{
    GlobalsGuard guard;
    TestScreen form(bsDialog);
    auto* memo = new QLabel(&form);
    form.HintMemo = memo;
    form.edit->setToolTip(QStringLiteral("科目|科目コードを入力します"));
    auto* other = new QLineEdit(&form);
    other->setToolTip(QStringLiteral("摘要のみ"));
    form.ShowActive();
    form.edit->setFocus();
    EXPECT_EQ(memo->text(), QStringLiteral("科目コードを入力します"));
    other->setFocus();
    EXPECT_EQ(memo->text(), QStringLiteral("摘要のみ"));
}

TEST(TBSDIShowTest, SetFormPositionPlacesOverTheMainFormOrTheScreen)
{
    GlobalsGuard guard;
    SystemDef.FrameHeight = 4;
    SystemDef.CaptionHeight = 20;
    SystemDef.MenuHeight = 18;
    QWidget main;
    main.setGeometry(100, 50, 600, 400);
    main.show();
    TBSDI::SetMainForm(&main);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    // Sizes are the window's outer ones, frame included.
    TBSDI probe(nullptr, bsDialog);
    probe.resize(200, 100);
    probe.show();
    const int w = probe.frameGeometry().width();
    const int h = probe.frameGeometry().height();
    const QRect mainFrame = main.frameGeometry();
    struct Case {
        int kind;
        QPoint pos;
    };
    const Case cases[] = {
        {1, {main.x() + 4 + 10 + (400 - w) / 2, main.y() + 4 + 20 + 18 + 20 + (300 - h) / 2}},
        {2, {main.x() + (mainFrame.width() - w) / 2, main.y() + (mainFrame.height() - h) / 2}},
        {3, {work.x() + (work.width() - w) / 2, work.y() + (work.height() - h) / 2}},
    };
    for (const Case& c : cases) {
        TBSDI form(nullptr, bsDialog);
        form.FormCreate();
        form.resize(200, 100);
        form.show();
        form.SetFormPosition(10, 20, 400, 300, c.kind);
        EXPECT_EQ(form.pos(), c.pos) << c.kind;
    }
    // An area beyond the work area's edge keeps the form inside it.
    TBSDI form(nullptr, bsDialog);
    form.FormCreate();
    form.resize(200, 100);
    form.show();
    form.SetFormPosition(work.width(), work.height(), 0, 0, 1);
    EXPECT_EQ(form.pos(), QPoint(work.x() + work.width() - w, work.y() + work.height() - h));
    // Placed once and on the screen: stays.
    form.PositionPending = false;
    form.move(40, 30);
    form.SetFormPosition(0, 0, 0, 0, 2);
    EXPECT_EQ(form.pos(), QPoint(40, 30));
    TBSDI::SetMainForm(nullptr);
}

// ---------------------------------------------------------------------------
// Size memory and process history on real databases

class TBSDIDatabaseTest : public FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        SystemDef.USER = User;
        SystemDef.PASSWORD = Password;
        SystemDef.HOSTNAME.clear();
        SystemDef.LogDir = folder_.string();
        SystemDef.SYSDIR = (folder_ / "sys").string();
        SystemDef.DataDir = (folder_ / "data").string();
        SystemDef.OPCODE = 100001;
        SystemDef.PCName = "PC-KEIRI01";
        ConnectionMode = 0;
        CopyMasterFile(BaseMaster(dbupdate::BaseSchema::SystemDatabase), folder_ / "sys" / "qhaccdef.fdb");
        CopyMasterFile(BaseMaster(dbupdate::BaseSchema::CompanyDatabase), folder_ / "data" / "qhacc.fdb");
        DM = std::make_unique<TDM>();
        ASSERT_TRUE(DM->fnAccDefConnected("", true));
        ASSERT_TRUE(DM->fnAccDatConnected("", "", false));
        // The history procedure also records the states it is given.
        Run(DM->IBDatabaseDAT, "CREATE TABLE PROBE (STATE VARCHAR(20))", true);
        Run(DM->IBDatabaseDAT,
            "ALTER PROCEDURE OPINF_DELETE (OPCODE INTEGER, JOBNAME VARCHAR(40), STATE VARCHAR(20)) AS "
            "BEGIN INSERT INTO PROBE VALUES (:STATE); "
            "DELETE FROM OPINF WHERE OPCODE = :OPCODE AND JOBNAME = :JOBNAME; END",
            false);
        SetAccInfoLoader([this] {
            ++reloads;
            return true;
        });
    }
    void TearDown() override
    {
        DM.reset();
        ConnectionMode = savedMode_;
    }

    static void Run(db::Database& database, const std::string& sql, bool paramCheck)
    {
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction);
        query.SetParamCheck(paramCheck);
        query.SetSQL(sql);
        query.ExecSQL();
        transaction.Commit();
    }

    static std::vector<std::string> Rows(db::Database& database, const std::string& sql)
    {
        db::Transaction transaction(database);
        transaction.Start();
        db::Query query(database, transaction, sql);
        std::vector<std::string> rows;
        for (query.Open(); !query.Eof(); query.Next()) {
            std::string row;
            for (std::size_t i = 0; i < query.FieldCount(); ++i)
                row += (i ? "," : "") + query.FieldByIndex(i).AsString();
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> SizeRows()
    {
        return Rows(DM->IBDatabaseDEF,
                    "SELECT OPCODE, FMNAME, FMTOP, FMLEFT, FMHEIGHT, FMWIDTH, DEFHEIGHT, DEFWIDTH "
                    "FROM FORMRSIZE");
    }
    std::vector<std::string> HistoryRows()
    {
        return Rows(DM->IBDatabaseDAT,
                    "SELECT OPCODE, JOBNAME, PCNAME, TRIM(IIF(OPENTIME IS NULL, 'no time', 'time')) "
                    "FROM OPINF");
    }
    std::vector<std::string> Probe() { return Rows(DM->IBDatabaseDAT, "SELECT STATE FROM PROBE"); }

    GlobalsGuard guard;
    RecordingMessagePresenter presenter;
    int reloads = 0;

private:
    const std::uint8_t savedMode_ = ConnectionMode;
};

TEST_F(TBSDIDatabaseTest, ScreenWritesAndRestoresItsSizeAndHistory)
{
    {
        TestScreen form(bsSizeable);
        form.show();
        // No size row yet: the default size, stored once with its default.
        EXPECT_EQ(SizeRows(), std::vector<std::string>{"100001,TestScreen,0,0,648,1012,648,1012"});
        EXPECT_EQ(HistoryRows(), std::vector<std::string>{"100001,仕訳入力,PC-KEIRI01,time"});
        EXPECT_EQ(Probe(), std::vector<std::string>{"エラー終了"});
        EXPECT_EQ(reloads, 1);
        EXPECT_EQ(SystemDef.ProcessScreenOpen, 1);
        EXPECT_EQ(form.minimumSize(), QSize(603, 372));  // 60 % of the size as built

        form.hide();
        form.show();  // nothing of the first show again
        EXPECT_EQ(reloads, 1);
        EXPECT_EQ(Probe().size(), 1u);

        form.move(30, 40);
        form.resize(700, 500);
        form.close();
        EXPECT_EQ(SizeRows(), std::vector<std::string>{"100001,TestScreen,40,30,500,700,648,1012"});
        EXPECT_TRUE(HistoryRows().empty());
        EXPECT_EQ(Probe(), (std::vector<std::string>{"エラー終了", "正常終了"}));
    }
    TestScreen again(bsSizeable);
    again.show();
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_EQ(again.pos(), QPoint(30, 40));
    EXPECT_EQ(SizeRows().size(), 1u);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(TBSDIDatabaseTest, DialogWritesNothing)
{
    TestScreen dialog(bsDialog);
    dialog.show();
    dialog.close();
    EXPECT_TRUE(SizeRows().empty());
    EXPECT_TRUE(HistoryRows().empty());
    EXPECT_TRUE(Probe().empty());
    EXPECT_EQ(reloads, 0);
}

TEST_F(TBSDIDatabaseTest, NoSizeSaveKeepsTheStoredSize)
{
    TestScreen form(bsSizeable);
    form.NoSizeSave = true;
    form.show();
    form.resize(700, 500);
    form.close();
    EXPECT_EQ(SizeRows(), std::vector<std::string>{"100001,TestScreen,0,0,648,1012,648,1012"});
}

TEST_F(TBSDIDatabaseTest, SavedScreenValueUnderTheFormName)
{
    TestScreen form(bsDialog);
    form.ScreenKeyValue = "KIKAN=4,15";
    form.StoreScreenKeyValue();
    TestScreen other(bsDialog);
    other.LoadScreenKeyValue();
    EXPECT_EQ(other.ScreenKeyValue, "KIKAN=4,15");
    EXPECT_EQ(Rows(DM->IBDatabaseDEF, "SELECT STYLENAME FROM STYLECOLOR"), std::vector<std::string>{"020-TESTSCREEN"});
}

TEST_F(TBSDIDatabaseTest, HistoryFailureIsLoggedAndShown)
{
    Run(DM->IBDatabaseDAT, "DROP PROCEDURE OPINF_DELETE", true);
    TestScreen form(bsSizeable);
    form.show();
    // The history failed; the show went on and said so.
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtError);
    EXPECT_TRUE(HistoryRows().empty());
}

}  // namespace
