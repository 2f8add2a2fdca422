#include "dataselect/screens/ShareStatusBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/ShareDataInfo.h"
#include "support/ModalDriver.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ShareStatusBoxTest, ShowsTheHeadlineInRedOverTheHolderLines)
{
    InstallShareStatusBox();
    bool shown = false;
    WhenModalShows([&shown](QWidget* window) {
        auto* box = qobject_cast<TMessageBox*>(window);
        ASSERT_NE(nullptr, box);
        shown = true;
        EXPECT_EQ(QStringLiteral("選択データの状態"), box->windowTitle());
        EXPECT_EQ(QStringLiteral("共有データは現在使用されています。"), box->lblMain->text());
        EXPECT_EQ(QStringLiteral("【データフォルダ】\n　Z:/ledrixzaimu/sv0001\n\n【オペレータ】\n　2"),
                  box->MessageArea->toPlainText());
        if (const char* dir = std::getenv("LEDRIX_SCREENSHOT_DIR"))
            box->grab().save(QString::fromUtf8(dir) + QStringLiteral("/ShareStatusBox.png"));
        box->btnOK->Click();
    });
    ShowShareStatusBox("共有データは現在使用されています。",
                       {"【データフォルダ】", "　Z:/ledrixzaimu/sv0001", "", "【オペレータ】", "　2"});
    EXPECT_TRUE(shown);
    SetShareStatusBoxHook({});
}

}  // namespace
