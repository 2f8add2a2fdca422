#include "dataselect/screens/TDataListKensakuBox.h"

#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/screens/DataSentakuWorld.h"
#include "platform/Registry.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DataListKensakuBoxTest : public dbtest::FirebirdTest {
protected:
    void SetUp() override
    {
        FirebirdTest::SetUp();
        registryDir_ = std::make_unique<ScopedEnv>("LEDRIX_REGISTRY_DIR", (folder_ / "registry").string());
        world_ = std::make_unique<dstest::DataSentakuWorld>(folder_);
        AppInfo.Application.RegKey = "\\SOFTWARE\\NORVEL";
        AppInfo.Zaimu.RegKey = "LedrixZaimu";
        Registry registry(RootKey::HKEY_LOCAL_MACHINE);
        registry.OpenKey("\\SOFTWARE\\NORVEL\\LedrixZaimu15_0", true);
        registry.WriteString("Version", "15.0.1");
        registry.WriteString("Type", "15版");
        // A version of two parts is no recorded edition; another product's
        // key is not this product's.
        registry.OpenKey("\\SOFTWARE\\NORVEL\\LedrixZaimu14_0", true);
        registry.WriteString("Version", "14.0");
        registry.WriteString("Type", "14版");
        registry.OpenKey("\\SOFTWARE\\NORVEL\\Navigore7", true);
        registry.WriteString("Version", "7.0.0");
        registry.WriteString("Type", "ナビ");

        db::Transaction tr(DM->IBDatabaseDEF);
        tr.Start();
        // The operator list names only operators whose level has a name.
        db::Query(DM->IBDatabaseDEF, tr, "INSERT INTO LEVELNAME(LEVELNO,NAME) VALUES(1,'一般')").ExecSQL();
        db::Query(DM->IBDatabaseDEF, tr,
                  "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES(10000,20,'経理担当',1)")
            .ExecSQL();
        db::Query(DM->IBDatabaseDEF, tr,
                  "INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL) VALUES(10000,30,'無名の階級',5)")
            .ExecSQL();
        tr.Commit();
    }
    void TearDown() override
    {
        world_.reset();
        registryDir_.reset();
    }

    static QStringList Items(const TxComboBox* combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }

    RecordingMessagePresenter presenter;

private:
    std::unique_ptr<ScopedEnv> registryDir_;
    std::unique_ptr<dstest::DataSentakuWorld> world_;
};

TEST_F(DataListKensakuBoxTest, OffersTheKindsTheOperatorsAndTheEditions)
{
    TDataListKensakuBox box;
    EXPECT_EQ(QStringLiteral("検索条件の設定"), box.windowTitle());
    EXPECT_EQ(
        (QStringList{"選択なし", "法人", "個人(一般)", "個人(不動産)", "医療法人", "個人(クリニック)", "個人(農業)"}),
        Items(box.cmbDataKbn));
    EXPECT_EQ((QStringList{"選択なし", "10:管理者", "20:経理担当"}), Items(box.cmbTanto));
    EXPECT_EQ((QStringList{"選択なし", "09版", "10版", "11版", "15版"}), Items(box.cmbDataVer));
    EXPECT_EQ(8, box.txtCode->maxLength());
    EXPECT_EQ(40, box.txtListName->maxLength());
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(DataListKensakuBoxTest, ShowsStoredConditionsInTheControls)
{
    struct Case {
        std::int32_t dataType, codeType;
        const char* kind;
        std::int32_t tanto;
        const char* operatorLine;
        const char* edition;
        const char* editionShown;
    };
    const Case cases[] = {
        {1, 4, "法人", 20, "20:経理担当", "11版", "11版"},
        {3, 9, "医療法人", 10, "10:管理者", "15版", "15版"},
        {2, 3, "個人(クリニック)", 0, "選択なし", "", "選択なし"},
        {2, 5, "選択なし", 99, "選択なし", "12版", "選択なし"},
    };
    TDataListKensakuBox box;
    for (const Case& c : cases) {
        box.Record = {};
        box.Record.DATATYPE = c.dataType;
        box.Record.CODETYPE = c.codeType;
        box.Record.DATACODE = "A1";
        box.Record.DATANAME = "商事";
        box.Record.TANTO = c.tanto;
        box.Record.SEIHINNAME = c.edition;
        box.Record.JYOKENUSE = c.tanto == 20 ? 1 : 0;
        box.SetDataListKensakuMode(1);
        EXPECT_EQ(QString::fromUtf8(c.kind), box.cmbDataKbn->currentText()) << c.dataType << "/" << c.codeType;
        EXPECT_EQ(QString::fromUtf8(c.operatorLine), box.cmbTanto->currentText()) << c.tanto;
        EXPECT_EQ(QString::fromUtf8(c.editionShown), box.cmbDataVer->currentText()) << c.edition;
        EXPECT_EQ(QStringLiteral("A1"), box.txtCode->text());
        EXPECT_EQ(QStringLiteral("商事"), box.txtListName->text());
        EXPECT_EQ(c.tanto == 20, box.cboxYukou->isChecked());
    }
    EXPECT_EQ(1, box.Mode());
}

TEST_F(DataListKensakuBoxTest, OkTakesTheConditionsAndCancelLeavesThem)
{
    TDataListKensakuBox box;
    box.Record.OPCODE = 7;
    box.Record.SORTCOL = 4;
    box.SetDataListKensakuMode(1);
    int result = 0;
    WhenModalShows([&box](QWidget*) {
        QTest::keyClicks(box.txtCode, "b2");
        // Japanese comes through the input method, not as key strokes.
        box.txtListName->insert(QStringLiteral("デモ"));
        box.cmbDataKbn->setCurrentIndex(3);
        box.cmbTanto->setCurrentIndex(2);
        box.cmbDataVer->setCurrentIndex(4);
        box.cboxYukou->setChecked(true);
        QTest::keyClick(box.txtCode, Qt::Key_F12);
    });
    result = box.exec();
    EXPECT_EQ(1, result);
    const TDataKensakuRec& rec = box.Record;
    EXPECT_EQ(2, rec.DATATYPE);
    EXPECT_EQ(2, rec.CODETYPE);
    EXPECT_EQ("b2", rec.DATACODE);
    EXPECT_EQ("デモ", rec.DATANAME);
    EXPECT_EQ(20, rec.TANTO);
    EXPECT_EQ("15.0", rec.DATAVER);
    EXPECT_EQ("15版", rec.SEIHINNAME);
    EXPECT_EQ(VersionModeEqual, rec.VERMODE);
    EXPECT_EQ(1, rec.JYOKENUSE);
    EXPECT_EQ(7, rec.OPCODE);
    EXPECT_EQ(4, rec.SORTCOL);

    // "選択なし" of the editions is no version; Cancel changes nothing.
    box.SetDataListKensakuMode(1);
    WhenModalShows([&box](QWidget*) {
        box.cmbDataVer->setCurrentIndex(0);
        box.btnOK->Click();
    });
    EXPECT_EQ(1, box.exec());
    EXPECT_EQ("", box.Record.DATAVER);
    EXPECT_EQ("選択なし", box.Record.SEIHINNAME);
    box.SetDataListKensakuMode(1);
    WhenModalShows([&box](QWidget*) {
        box.txtCode->clear();
        box.cmbDataKbn->setCurrentIndex(1);
        QTest::keyClick(box.txtCode, Qt::Key_Escape);
    });
    EXPECT_EQ(2, box.exec());
    EXPECT_EQ("b2", box.Record.DATACODE);
    EXPECT_EQ(2, box.Record.DATATYPE);
}

}  // namespace
