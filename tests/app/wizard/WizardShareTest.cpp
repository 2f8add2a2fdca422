// The wizard's share steps around the use of the chosen data: the share
// server's area taken before the data is opened and stored back when it is
// handed back, and the cloud-share step through data communication.

#include "WizardTestSupport.h"

#include "app/wizard/CloudShareTransfer.h"
#include "foundation/AccInf.h"
#include "platform/Registry.h"
#include "support/ScriptedShareFiles.h"

#include <QTableWidget>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace wizardtest;

const std::string NotTakenText = "このデータは共有取得が行われていません。データ選択画面を開きます。";

class WizardShareTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        // Data folders sit under a data root named DATA, as installed.
        const fs::path root = folder_ / "ledrixzaimu" / "DATA";
        fs::create_directories(root);
        fs::copy_file(sysDir_ / SysDbFileName, root / SysDbFileName);
        sysDir_ = root;
        SystemDef.SYSDIR = root.string();
        WriteAppIni(true);

        // Share drive Z holds area sv0001 with a copy of the company data.
        Registry reg(RootKey::HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("\\Network\\Z", true));
        reg.WriteString("RemotePath", (folder_ / "share").string());
        area_ = folder_ / "share" / "ledrixzaimu" / "sv0001";
        fs::create_directories(area_);
        fs::copy_file(dataDir_ / "qhacc.fdb", area_ / "qhacc.fdb");
        IniFile ini((area_ / "qhacc.ini").string());
        ini.WriteInteger("DATASTS", "STATUS", 1);
        ini.WriteInteger("DATASTS", "SHARE_STATUS", 1);
        ini.WriteString("DATAINFO", "SHOUGOU", "共有会社");
        ini.WriteInteger("DATAINFO", "NENDO", 3);
        System(
            "UPDATE OR INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE, KYOYULOCK, NENDO,"
            " DATATYPE, CODETYPE, GASSAN) VALUES (7, 10000, '共有会社', '共有会社', 'Z:/ledrixzaimu/sv0001', 1, 0, 3,"
            " 1, 0, 0) MATCHING (REC, GROUPID)");
        local_ = (root / "0007").string();
        Selection.folder = local_;
    }

    void System(const std::string& sql) { schematest::Session((sysDir_ / SysDbFileName).string()).Exec(sql); }
    std::string Row(const std::string& column)
    {
        return schematest::Session((sysDir_ / SysDbFileName).string())
            .Value("SELECT " + column + " FROM DATALIST WHERE REC=7 AND GROUPID=10000")
            .value_or("");
    }

    // The selection screen answers in turn: a folder chosen, or "" for a
    // cancel.
    void ChooseInTurn(std::vector<std::string> folders)
    {
        choices_ = std::move(folders);
        ProcessLauncherHook = [this](const std::string&, std::int32_t, const std::string&) -> std::int32_t {
            ++Selection.runs;
            if (choices_.empty() || choices_.front().empty()) {
                if (!choices_.empty())
                    choices_.erase(choices_.begin());
                return 2;
            }
            SystemDef.DataDir = choices_.front();
            choices_.erase(choices_.begin());
            return 1;
        };
    }

    // Page 2 after the logon, with automatic sharing as given.
    void ToDataPage(std::int32_t autoShare)
    {
        Start({});
        SystemDef.AutoShareData = autoShare;
        Next();
        ASSERT_EQ(form_->CurrentPageName(), "page2");
    }

    ScopedShareFiles files;
    fs::path area_;
    std::string local_;
    std::vector<std::string> choices_;
};

TEST_F(WizardShareTest, NeverTakenSharedDataIsTakenOpenedAndStoredBackAtTheEnd)
{
    ToDataPage(1);
    ChooseInTurn({local_});
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    ASSERT_EQ(form_->listDataInfo->rowCount(), 4);
    EXPECT_TRUE(form_->DataConnected);
    EXPECT_EQ(SystemDef.DataDir, local_);
    EXPECT_TRUE(fs::exists(fs::path(local_) / "qhacc.fdb"));
    ASSERT_EQ(files.log.gets.size(), 1u);
    EXPECT_EQ(files.log.gets[0], std::make_tuple(std::string("Z:/ledrixzaimu/sv0001"), local_, 1));
    // The row keeps its name and area and now says the data is taken here.
    EXPECT_EQ(Row("ENTTEXT"), "共有会社");
    EXPECT_EQ(Row("PASNAME"), "Z:/ledrixzaimu/sv0001");
    EXPECT_EQ(Row("KYOYULOCK"), "1");
    EXPECT_TRUE(Texts().empty());

    form_->close();
    ASSERT_EQ(files.log.puts.size(), 1u);
    EXPECT_EQ(files.log.puts[0], std::make_tuple(std::string("Z:/ledrixzaimu/sv0001"), local_, 1));
    EXPECT_EQ(Row("KYOYULOCK"), "0");
}

TEST_F(WizardShareTest, SharedDataIsNotTakenWithoutAutomaticSharing)
{
    ToDataPage(0);
    ChooseInTurn({local_, ""});
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(Selection.runs, 2);
    EXPECT_EQ(Texts(), std::vector<std::string>{NotTakenText});
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_TRUE(files.log.gets.empty());
    EXPECT_EQ(Row("KYOYULOCK"), "0");
    EXPECT_EQ(Row("ENTTEXT"), "共有会社");
}

TEST_F(WizardShareTest, DataInUseByAnotherOperatorOffersTheSelectionAgain)
{
    IniFile ini((area_ / "qhacc.ini").string());
    ini.WriteInteger("DATASTS", "SHARE_STATUS", 2);
    ini.WriteInteger("DATASTS", "SHARE_OPCODE", 100000021);
    ini.WriteString("DATASTS", "SHARE_OPERATOR", "営業太郎");
    files.log.answers["Z:/ledrixzaimu/sv0001"] = -1;
    ToDataPage(1);
    ChooseInTurn({local_, ""});
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(Selection.runs, 2);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].rfind("共有データは現在使用されています。\r【データフォルダ】", 0), 0u);
    EXPECT_NE(Texts()[0].find("　21\r"), std::string::npos);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_EQ(Row("KYOYULOCK"), "0");
    // Nothing was taken, so nothing goes back.
    form_->close();
    EXPECT_TRUE(files.log.puts.empty());
}

// Data communication as the wizard sees it: answers scripted, calls kept.
class RecordingCloudShare final : public ICloudShareTransfer {
public:
    struct Log {
        std::vector<std::string> received, sent;
        std::int32_t receiveAnswer = 0;
    };
    explicit RecordingCloudShare(Log& log) : log_(log) {}
    std::int32_t ReceiveCloudShareData(const std::string& folder, std::int32_t automatic, std::int32_t) override
    {
        EXPECT_EQ(automatic, 1);
        log_.received.push_back(folder);
        return log_.receiveAnswer;
    }
    std::int32_t SendCloudShareData(const std::string& folder, const std::string& text, std::int32_t automatic) override
    {
        EXPECT_EQ(text, "");
        EXPECT_EQ(automatic, 1);
        log_.sent.push_back(folder);
        return 0;
    }

private:
    Log& log_;
};

TEST_F(WizardShareTest, CloudShareAreaIsReceivedBeforeUseAndSentWhenHandedBack)
{
    Exec("UPDATE ACCDEF1 SET CLOUD_LINE=2 WHERE REC=1");
    RecordingCloudShare::Log cloud;
    const TCloudShareTransferFactory previous =
        SetCloudShareTransferFactory([&cloud](QWidget*) { return std::make_unique<RecordingCloudShare>(cloud); });
    ToDataPage(0);
    const std::string data = dataDir_.string();
    // A stopped receive offers the selection again.
    cloud.receiveAnswer = 3;
    ChooseInTurn({data, ""});
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 0);
    EXPECT_EQ(cloud.received, std::vector<std::string>{data});

    cloud.receiveAnswer = 0;
    ChooseInTurn({data});
    QTest::mouseClick(form_->btnDataSentaku, Qt::LeftButton);
    EXPECT_EQ(form_->listDataInfo->rowCount(), 4);
    EXPECT_EQ(cloud.received.size(), 2u);
    EXPECT_TRUE(cloud.sent.empty());
    form_->close();
    EXPECT_EQ(cloud.sent, std::vector<std::string>{data});
    SetCloudShareTransferFactory(previous);
}

}  // namespace
