#include "controls/dialogs/TxAnimeProgressDialog.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(600, 400);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    QDialog form;
};

TEST_F(ProgressDialogTest, ModelessRunDisablesTheOwnerUntilClosed)
{
    TxAnimeProgressDialog progress;
    progress.SetCaption(QStringLiteral("データ作成"));
    progress.SetInfoLabel(QStringLiteral("準備中..."));
    progress.ShowProgressDialog(&form);
    QWidget* window = progress.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(progress.Active);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("データ作成"));
    EXPECT_EQ(window->size(), QSize(380, 100));

    auto* cancel = window->findChild<QPushButton*>(QStringLiteral("CancelButton"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->geometry(), QRect(152, 67, 76, 23));
    for (int row = 1; row <= 3 && !progress.Cancelled; ++row) {
        progress.SetInfoLabel(QStringLiteral("%1件目").arg(row));
        if (row == 2)
            QTest::mouseClick(cancel, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(progress.Cancelled);
    EXPECT_TRUE(window->isVisible());

    EXPECT_EQ(progress.CloseProgressDialog(), 0);
    EXPECT_EQ(progress.Handle(), nullptr);
    EXPECT_FALSE(progress.Active);
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(ProgressDialogTest, TheOwnerIsEnabledAgainWhenTheComponentGoesAway)
{
    {
        TxAnimeProgressDialog progress;
        progress.CancelBtnShow = false;
        progress.ShowProgressDialog(&form);
        EXPECT_EQ(progress.Handle()->findChild<QPushButton*>(), nullptr);
        EXPECT_FALSE(form.isEnabled());
    }
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(ProgressDialogTest, WithoutOwnerTheWindowStaysOnTopAndNothingIsDisabled)
{
    TxAnimeProgressDialog progress;
    progress.SetAviFile(QStringLiteral("/nonexistent/progress.avi"));
    EXPECT_TRUE(progress.AviFile().isEmpty());
    progress.SetInfoLabel(QStringLiteral("stored only"));
    EXPECT_EQ(progress.InfoLabel(), QStringLiteral("stored only"));
    progress.ShowProgressDialog(nullptr);
    EXPECT_TRUE(progress.Handle()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(progress.AnimeActive());
    progress.CloseProgressDialog();
}

TEST_F(ProgressDialogTest, ModalRunHandsTheWorksErrorToTheCallerAfterClosing)
{
    TxAnimeProgressDialog progress;
    bool sawWindow = false;
    progress.OnShow = [&](QObject* sender) {
        auto* window = qobject_cast<QWidget*>(sender);
        sawWindow = window && window->isVisible() && window == progress.Handle();
        throw std::runtime_error("残高の計算に失敗しました。");
    };
    try {
        progress.ShowProgressDialog(&form);
        ADD_FAILURE() << "the error did not reach the caller";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "残高の計算に失敗しました。");
        EXPECT_EQ(progress.Handle(), nullptr);
    }
    EXPECT_TRUE(sawWindow);
    EXPECT_TRUE(form.isEnabled());

    int closed = 0;
    progress.OnShow = [](QObject*) {};
    progress.OnClose = [&](QObject*) { ++closed; };
    progress.ShowProgressDialog(&form);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(progress.Handle(), nullptr);
}

}  // namespace
