// The wizard form driven as an operator and a calling application use it.

#include "WizardTestSupport.h"

#include "app/export/ExportFileReader.h"
#include "app/wizard/WizardCommandLine.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxRadioButton.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/AccInf.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

namespace {

using namespace wizardtest;
using platform::WindowEventKind;

const bool registered = (RegisterProcessClass(&CreateProcessForm<TestDataSelection>, "QvDataSenkaku"), true);

const std::string NoDataText =
    "会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。";
const std::string CreatedText = "中間ファイルが作成されました。\r";
const std::string FailedText = "中間ファイルの作成に失敗しました。\r";

class WizardFormTest : public WizardTest {
protected:
    // Page 1 to page 3 with the company data chosen.
    void ToConditions()
    {
        ASSERT_EQ(form_->CurrentPageName(), "page1");
        Next();
        ASSERT_EQ(form_->CurrentPageName(), "page2");
        QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
        ASSERT_EQ(form_->listDataInfo->rowCount(), 4);
        Next();
        ASSERT_EQ(form_->CurrentPageName(), "page3");
    }
};

TEST_F(WizardFormTest, UserRunChoosesDataChecksThePagesAndWritesTheExport)
{
    TForm1& form = Start({});
    EXPECT_EQ(form.Wizard1->count(), 5);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("内訳概況書のVarimon from Ledrix財務 15（内訳書）"));
    EXPECT_EQ(
        form.Memo1a->toPlainText(),
        QStringLiteral(
            "『Ledrix財務 15』から『内訳概況書のVarimon（内訳書）』へデータを連動させるための中間ファイルを作成します。"));
    EXPECT_EQ(form.Label4a->text(),
              QStringLiteral("連動先となる『内訳概況書のVarimon（内訳書）』で使用する中間ファイルを指定します。"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("次へ(&N) >"));

    Next();
    ASSERT_EQ(form.CurrentPageName(), "page2");
    EXPECT_EQ(QApplication::focusWidget(), form.btnDataSentaku);
    // Next without data is refused.
    Next();
    EXPECT_EQ(form.CurrentPageName(), "page2");
    EXPECT_EQ(Texts(), std::vector<std::string>{NoDataText});
    EXPECT_EQ(QApplication::focusWidget(), form.btnDataSentaku);

    QTest::mouseClick(form.btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(Selection.runs, 1);
    EXPECT_EQ(Selection.params, (TProcessParams{"SyoriType=3", "JyokenSet=1", "DataType=-13", "CodeType=0",
                                                "DataVerMajor=15", "FormStyle=2"}));
    ASSERT_EQ(form.listDataInfo->rowCount(), 4);
    EXPECT_EQ(form.listDataInfo->item(1, 0)->text(), QStringLiteral("会社名"));
    EXPECT_EQ(form.listDataInfo->item(1, 1)->text().toStdString(), AccInf.SHOUGOU);
    EXPECT_EQ(form.listDataInfo->item(2, 1)->text(), QString::number(AccInf.NENDO) + QStringLiteral("期"));
    EXPECT_TRUE(form.DataConnected);

    Next();
    ASSERT_EQ(form.CurrentPageName(), "page3");
    EXPECT_EQ(form.xKikanPanel3a->Stno(), AccInf.OpeningPeriodIndex);
    EXPECT_EQ(form.xKikanPanel3a->Edno(), 15);
    EXPECT_TRUE(form.RadioButton3a->isChecked() || form.RadioButton3b->isChecked());
    QTest::mouseClick(form.RadioButton3b, Qt::LeftButton);

    Next();
    ASSERT_EQ(form.CurrentPageName(), "page4");
    messages_.shown.clear();
    form.Edit4a->clear();
    Next();
    form.Edit4a->setText(QStringLiteral("/ug.xml"));
    Next();
    EXPECT_EQ(form.CurrentPageName(), "page4");
    EXPECT_EQ(
        Texts(),
        (std::vector<std::string>{
            "中間ﾌｧｲﾙが指定されていません。\r指定してから[次へ]をｸﾘｯｸしてください。\r",
            "ｼｽﾃﾑﾄﾞﾗｲﾌﾞ(/)直下にﾌｧｲﾙは指定できません。\r別のﾄﾞﾗｲﾌﾞまたはﾌｫﾙﾀﾞを指定してから[次へ]をｸﾘｯｸしてください。\r"}));

    // A bare name goes to the documents folder.
    form.Edit4a->setText(QStringLiteral("ug.xml"));
    Next();
    ASSERT_EQ(form.CurrentPageName(), "page5");
    EXPECT_EQ(form.Button2->text(), QStringLiteral("完了(&F)"));
    const std::string written = (world_.Root() / "documents" / "ug.xml").string();
    const QStringList summary = form.Memo5b->toPlainText().split('\n');
    EXPECT_EQ(summary.value(7), QStringLiteral(" 消費税計算区分: 税抜き"));
    EXPECT_EQ(summary.value(10).toStdString(), " " + written);

    messages_.shown.clear();
    Next();
    EXPECT_TRUE(WaitFor([&] { return !form.isVisible(); }));
    EXPECT_EQ(Texts(), std::vector<std::string>{CreatedText});
    EXPECT_EQ(form.ResultCode, WizardCreated);
    form_.reset();
    const exporttest::ExportFileContents contents = exporttest::ReadExportFile(written);
    EXPECT_FALSE(contents.accounts.empty());
    EXPECT_EQ(FileBytes(written), FileBytes(OracleFile(0, 1)));
}

TEST_F(WizardFormTest, CallerRunSkipsTheFileStepAndGetsTheResult)
{
    const std::string file = (folder_ / "out" / "ug.xml").string();
    std::filesystem::create_directories(folder_ / "out");
    Start({CallerArgument(3, file)});
    ASSERT_EQ(form_->Wizard1->count(), 4);
    EXPECT_EQ(form_->Page("page4"), nullptr);
    EXPECT_EQ(form_->Memo1a->toPlainText(),
              QStringLiteral("『Ledrix財務 15』から『内訳概況書のVarimon（内訳書）』へデータの連動を行います。"));
    ToConditions();
    QTest::mouseClick(form_->RadioButton3a, Qt::LeftButton);
    Next();
    ASSERT_EQ(form_->CurrentPageName(), "page5");
    EXPECT_EQ(form_->Memo5b->toPlainText().split('\n').size(), 8) << "no file lines for a caller";
    messages_.shown.clear();
    Next();
    EXPECT_TRUE(WaitFor([&] { return !form_->isVisible(); }));
    EXPECT_TRUE(messages_.shown.empty()) << "a caller learns the outcome from its message";
    EXPECT_EQ(EndAndCollect(), Handed(3, WizardCreated));
    EXPECT_EQ(FileBytes(file), FileBytes(OracleFile(3, 0)));
    EXPECT_EQ(IniFile(world_.IniFile().string()).ReadString("UTIWAKESYO", "KOMONSAKI", ""), AccInf.SHOUGOU);
}

TEST_F(WizardFormTest, UnwritableFolderFailsWithResultTwo)
{
    std::ofstream(folder_ / "afile") << "not a folder";
    Start({CallerArgument(3, (folder_ / "afile" / "ug.xml").string())});
    ToConditions();
    Next();
    messages_.shown.clear();
    Next();
    EXPECT_TRUE(WaitFor([&] { return !form_->isVisible(); }));
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.front().Text, FailedText);
    EXPECT_EQ(messages_.shown.front().Type, TMsgDlgType::mtError);
    EXPECT_EQ(EndAndCollect(), Handed(3, WizardFailed));
}

TEST_F(WizardFormTest, CancelButtonAndCloseBoxCancel)
{
    Start({CallerArgument(3, "ug.xml")});
    // No keeps the wizard as it was.
    messages_.answers = {mrNo};
    QTest::mouseClick(form_->btnCancel, Qt::LeftButton);
    EXPECT_TRUE(form_->isVisible());
    ASSERT_EQ(Texts(),
              std::vector<std::string>{
                  "[キャンセル]ボタンが押されました。\r連動データの作成ウィザードを終了してもよろしいですか？\r"});
    messages_.answers = {mrYes};
    QTest::mouseClick(form_->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(EndAndCollect(), Handed(3, WizardCancelled));

    // The close box (a close that the form did not start itself).
    Start({CallerArgument(5, "ug.xml")});
    form_->close();
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(EndAndCollect(), Handed(5, WizardCancelled));

    // The caller closing the wizard from outside, through the main window
    // of the process it started.
    Start({CallerArgument(7, "ug.xml")});
    ASSERT_TRUE(platform::PostMessage(platform::MainWindowHandleOf(QCoreApplication::applicationPid()),
                                      platform::WM_CLOSE, 0, 0));
    QTRY_VERIFY_WITH_TIMEOUT(!form_->isVisible(), 10000);
    EXPECT_EQ(EndAndCollect(), Handed(7, WizardCancelled));
    // Every run logged the operator off again.
    EXPECT_TRUE(schematest::Session((sysDir_ / SysDbFileName).string()).Rows("SELECT * FROM LOGONUSERLIST").empty());
}

TEST_F(WizardFormTest, CancelledLogonEndsWithResultTwo)
{
    Start({CallerArgument(3, "ug.xml")}, false);
    ASSERT_TRUE(form_->Created());
    ASSERT_TRUE(form_->InitApplication());
    AnswerLogon(false);
    form_->show();
    EXPECT_TRUE(WaitFor([&] { return !form_->isVisible(); }));
    EXPECT_FALSE(form_->LoggedOn);
    EXPECT_EQ(EndAndCollect(), Handed(3, WizardFailed));
}

TEST_F(WizardFormTest, DataBelowTheRequiredVersionIsRefused)
{
    Exec("UPDATE ACCVERSION SET MAJOR = 14, MINOR1 = 9, MINOR2 = 0 WHERE REC = 1");
    Start({});
    Next();
    messages_.answers = {mrCancel};
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text,
              "このプログラムで処理できるデータバージョンに達していません。\rデータバージョン:15.0.0以降のデータを選択"
              "して下さい。\rデータ選択画面を開き、別のデータを選択しますか？");
    EXPECT_EQ(messages_.shown[0].Type, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_FALSE(form_->DataConnected);
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
    // OK opens the selection again; a cancelled choice then goes back to the
    // refused data, which is refused again.
    messages_.shown.clear();
    messages_.answers = {mrOk, mrCancel};
    Selection.runs = 0;
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(Selection.runs, 2);
    EXPECT_EQ(messages_.shown.size(), 2u);
    Next();
    EXPECT_EQ(form_->CurrentPageName(), "page2");
}

// The range always starts with the data's first month; the operator picks
// only its end.
TEST_F(WizardFormTest, DataStartingInTheFourthMonthKeepsItsStart)
{
    Exec("UPDATE ACCDEF1 SET KISHU = '2025-04-01', KIMATU = '2026-03-31', KAISI = '2025-07-01', KAISINO = 4");
    Start({});
    ToConditions();
    TxKikanPanel16* panel = form_->xKikanPanel3a;
    EXPECT_EQ(panel->Stno(), 4);
    EXPECT_EQ(panel->Edno(), 15);
    QTest::mouseClick(panel->Cell(12), Qt::LeftButton);
    EXPECT_EQ(panel->Stno(), 4);
    EXPECT_EQ(panel->Edno(), 12);
    Next();
    form_->Edit4a->setText(QString::fromStdString((folder_ / "ug.xml").string()));
    Next();
    ASSERT_EQ(form_->CurrentPageName(), "page5");
    const QStringList summary = form_->Memo5b->toPlainText().split('\n');
    EXPECT_EQ(summary.value(3), QStringLiteral(" 会計期間      : 2025年 4月 1日 ～ 2026年 3月31日"));
    EXPECT_EQ(summary.value(6), QStringLiteral(" 計算対象期間  : 2025年 7月 ～ 26年 1月"));
    // Back to the conditions: a single month.
    QTest::mouseClick(form_->Button1, Qt::LeftButton);
    QTest::mouseClick(form_->Button1, Qt::LeftButton);
    ASSERT_EQ(form_->CurrentPageName(), "page3");
    QTest::mouseClick(panel->Cell(4), Qt::LeftButton);
    Next();
    Next();
    EXPECT_EQ(form_->Memo5b->toPlainText().split('\n').value(6), QStringLiteral(" 計算対象期間  : 2025年 7月"));
}

TEST_F(WizardFormTest, CancelledFirstChoiceLeavesNoData)
{
    Start({});
    Next();
    Selection.answer = 0;
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_EQ(SystemDef.DataDir, "");
    // A data set chosen, then a cancelled choice: the data stays.
    Selection.answer = 1;
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    ASSERT_EQ(form_->listDataInfo->rowCount(), 4);
    Selection.answer = 0;
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 4);
    EXPECT_EQ(SystemDef.DataDir, dataDir_.string());
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
}

struct StartCase {
    const char* label;
    std::vector<std::string> arguments;  // "<caller>" stands for the caller's handle
    bool posted;                         // the caller gets its window back and result 2
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.label;
}

class WizardStartFailureTest : public WizardTest, public testing::WithParamInterface<StartCase> {};

TEST_P(WizardStartFailureTest, BadCommandLinesAreRefused)
{
    std::vector<std::string> arguments;
    for (std::string a : GetParam().arguments) {
        if (a.rfind("<caller>", 0) == 0)
            a = std::to_string(caller_.Handle()) + a.substr(8);
        arguments.push_back(a);
    }
    TForm1& form = Start(arguments, false);
    EXPECT_FALSE(form.Created());
    EXPECT_EQ(Texts(), std::vector<std::string>{BadArgumentsText});
    const auto events = EndAndCollect();
    if (GetParam().posted)
        EXPECT_EQ(events, (std::vector<platform::WindowEvent>{{WindowEventKind::BroughtToFront, 0, 0, 0},
                                                              {WindowEventKind::Enabled, 0, 0, 0},
                                                              {WindowEventKind::Posted, 1025, 0, WizardFailed}}));
    else
        EXPECT_TRUE(events.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, WizardStartFailureTest,
                         testing::Values(StartCase{"TwoArguments", {"<caller>,1025,3,ug.xml", "more"}, false},
                                         StartCase{"HandleNotANumber", {"window,1025,3,ug.xml"}, false},
                                         StartCase{"FunctionNotANumber", {"<caller>,1025,three,ug.xml"}, true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(WizardTest, MissingApplicationInformationEndsWithResultTwo)
{
    std::filesystem::remove(folder_ / "prog" / "AppInfo.ini");
    TForm1& form = Start({CallerArgument(3, "ug.xml")}, false);
    EXPECT_FALSE(form.Created());
    EXPECT_EQ(Texts(), std::vector<std::string>{"アプリケーションの設定ファイル(AppInfo.ini)が見つかりませんでした。\r"
                                                "アプリケーションを強制終了します。"});
    EXPECT_EQ(EndAndCollect(), Handed(3, WizardFailed));
}

TEST_F(WizardTest, OlderProductIsRefused)
{
    WriteAppInfo("14.2.0");
    TForm1& form = Start({}, false);
    EXPECT_FALSE(form.Created());
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"このアプリケーションはインストールされている「Ledrix財務」のバージョンに"
                                       "対応していません。\rバージョン:15.0.0以降をインストールしてください。"
                                       "\r\rアプリケーションを強制終了します。"});
}

TEST_F(WizardTest, FailedEnvironmentShowsTheInitialisationMessage)
{
    TForm1& form = Start({}, false);
    ASSERT_TRUE(form.Created());
    WizardProgram.SetUpEnvironment = [](std::string& message) {
        message = "環境の設定に失敗しました。";
        return false;
    };
    EXPECT_FALSE(form.InitApplication());
    WizardProgram = TWizardProgram{};
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].Text, "環境の設定に失敗しました。");
    EXPECT_EQ(messages_.shown[0].Buttons, std::vector<TMsgDlgBtn>{TMsgDlgBtn::mbYes});
}

}  // namespace
