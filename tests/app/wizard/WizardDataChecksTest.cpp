// The checks the wizard makes on opening the chosen data: its password, the
// operator's usual facility and his rights to every facility.

#include "WizardTestSupport.h"

#include "controls/dialogs/TInputDlgBox.h"
#include "foundation/DataPasswordPrompt.h"
#include "foundation/PasswordScramble.h"
#include "foundation/screens/DataPasswordInput.h"

#include <QLabel>
#include <QTableWidget>

namespace {

using namespace wizardtest;

const std::string Question = "\rデータ選択画面を開き、別のデータを選択しますか？";

class WizardDataChecksTest : public WizardTest {
protected:
    void TearDown() override
    {
        SetDataPasswordPrompt({});
        WizardTest::TearDown();
    }

    void SetDataPassword(const std::string& password)
    {
        TEasyEncodeInfo info;
        ClearEasyEncodeInfo(info);
        info.TargetLen = info.PlainLen = DataPasswordLength;
        info.Key = std::string(DataPasswordKey);
        info.PlainText = password;
        ASSERT_EQ(EasyEncode(info), 1);
        Exec(
            "UPDATE OR INSERT INTO ACCREG (AGROUP, ACODE, ATYPE, ATEXT) VALUES ('基本設定', 'データパスワードV2', "
            "'文字', '" +
            info.CodeText + "') MATCHING (AGROUP, ACODE)");
    }

    // The operator without level 9: his facility rights count.
    void Restrict()
    {
        schematest::Session((sysDir_ / SysDbFileName).string())
            .Exec("UPDATE OPERATOR SET JOBLEVEL = 1 WHERE OPCODE = 20");
    }

    // Answers the password dialog with each entry in turn; records what the
    // dialog showed.
    void AnswerPasswords(std::vector<std::string> entries)
    {
        if (entries.empty())
            return;
        WhenModalShows([this, entries](QWidget* window) mutable {
            auto* box = qobject_cast<TInputDlgBox*>(window);
            ASSERT_NE(box, nullptr);
            prompts_.push_back(box->lblMain->text().toStdString());
            captions_.push_back(box->windowTitle().toStdString());
            const std::string entry = entries.front();
            entries.erase(entries.begin());
            AnswerPasswords(entries);
            box->txtInput->clear();
            QTest::keyClicks(box->txtInput, QString::fromStdString(entry));
            QTest::mouseClick(box->btnOK, Qt::LeftButton);
        });
    }

    void Choose() { QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton); }

    std::vector<std::string> prompts_;
    std::vector<std::string> captions_;
};

TEST_F(WizardDataChecksTest, WrongPasswordThreeTimesRefusesTheData)
{
    SetDataPassword("Pw12");
    InstallDataPasswordPrompt();
    Start({});
    Next();
    AnswerPasswords({"x1", "pw12", "Pw1"});
    messages_.answers = {mrCancel};
    Choose();
    EXPECT_EQ(prompts_, (std::vector<std::string>{"パスワードを入力して下さい。", "正しいパスワードを入力して下さい。",
                                                  "正しいパスワードを入力して下さい。"}));
    EXPECT_EQ(captions_.front(), "パスワードの確認");
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"このデータに設定されている「パスワード」と一致しませんでした。" + Question});
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());

    // Chosen again: the second entry is right.
    messages_.shown.clear();
    prompts_.clear();
    AnswerPasswords({"x1", "Pw12"});
    Choose();
    EXPECT_EQ(prompts_.size(), 2u);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(form_->listDataInfo->rowCount(), 4);
    EXPECT_TRUE(DM->IBDatabaseDAT.Connected());
}

TEST_F(WizardDataChecksTest, OperatorWithoutHisUsualFacilityIsRefused)
{
    Restrict();
    Start({});
    Next();
    // OK opens the selection again: the same data is refused again, and
    // Cancel ends the choice.
    Selection.runs = 0;
    messages_.answers = {mrOk, mrCancel};
    Choose();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"このデータを扱う権限がありません。" + Question,
                                                 "このデータを扱う権限がありません。" + Question}));
    EXPECT_EQ(Selection.runs, 2);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_FALSE(DM->IBDatabaseDAT.Connected());
}

TEST_F(WizardDataChecksTest, OperatorMissingOneFacilityIsRefused)
{
    Restrict();
    Exec("UPDATE ACCDEF1 SET SITEN = 1");
    Exec("UPDATE OR INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('01', '本店') MATCHING (SCODE)");
    Exec("UPDATE OR INSERT INTO SISETUMST (SCODE, SNAME) VALUES ('02', '支店') MATCHING (SCODE)");
    Exec("INSERT INTO OPDEFSISETU (OPCODE, SCODE) VALUES (100000020, '01')");
    Exec("INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (100000020, '01')");
    Start({});
    ASSERT_EQ(SystemDef.OPCODE, 100000020);
    Next();
    messages_.answers = {mrCancel};
    Choose();
    EXPECT_EQ(Texts(),
              std::vector<std::string>{
                  "このデータを扱う権限が不足しています。（支店毎の処理権限をすべて有していない）" + Question});
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);

    // Licensed for both: the data opens.
    Exec("INSERT INTO OPLICENSE (OPCODE, SCODE) VALUES (100000020, '02')");
    messages_.shown.clear();
    Choose();
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(form_->listDataInfo->rowCount(), 4);
}

}  // namespace
