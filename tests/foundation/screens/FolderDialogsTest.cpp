#include "foundation/screens/FolderDialogs.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <list>
#include <stdlib.h>

#include "foundation/SystemFolders.h"
#include "foundation/WriteGuard.h"
#include "foundation/screens/TSelectComputerForm.h"
#include "platform/Registry.h"
#include "support/ModalDriver.h"
#include "support/RecordingMessagePresenter.h"
#include "support/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

// Types the path into the file dialog and confirms it, as a user would.
void Choose(QWidget* modal, const std::string& path)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromStdString(path));
    QTest::keyClick(edit, Qt::Key_Return);
}

class FolderDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "folderdialogs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = fs::canonical(tmpl);
        fs::create_directories(root / "docs");
        fs::create_directories(root / "data" / "company");
        env.emplace_back("LEDRIX_DOCUMENTS", (root / "docs").string() + "/");
        env.emplace_back("LEDRIX_REGISTRY_DIR", (root / "reg").string() + "/");
    }
    void TearDown() override { fs::remove_all(root); }

    void SetUac(std::int32_t value)
    {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(UacPolicyKey, true));
        reg.WriteInteger(UacPolicyValue, value);
    }

    fs::path root;
    std::list<ScopedEnv> env;
    RecordingMessagePresenter messages;
};

TEST_F(FolderDialogsTest, SelectFolderTakesTheChosenFolderOrNothingOnCancel)
{
    const std::string company = (root / "data" / "company").string();
    std::string folder = (root / "data").string();
    WhenModalShows([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("フォルダを選択して下さい"));
        EXPECT_EQ(qobject_cast<QFileDialog*>(modal)->directory().absolutePath(),
                  QString::fromStdString((root / "data").string()));
        Choose(modal, company);
    });
    EXPECT_TRUE(SelectFolderDlg("", folder));
    EXPECT_EQ(folder, company);

    WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(SelectFolderDlg("保存先", folder));
    EXPECT_EQ(folder, company);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FolderDialogsTest, SelectFolderRefusesAPathLongerThan255Bytes)
{
    // A name of 180 bytes under one of 46 double-byte characters: over 255
    // CP932 bytes in all, though each name is of a legal length.
    const fs::path deep = root / std::string(60 * 3, 'a') /
                          fs::path(
                              u8"フォルダ名前空間が長すぎるときのためのテストです"
                              u8"フォルダ名前空間が長すぎるときのためのテストです");
    fs::create_directories(deep);
    std::string folder = "unchanged";
    WhenModalShows([&](QWidget* modal) { Choose(modal, deep.string()); });
    EXPECT_FALSE(SelectFolderDlg("", folder));
    EXPECT_EQ(folder, "unchanged");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, FolderPathTooLongMessage);
    EXPECT_EQ(messages.shown[0].Type, TMsgDlgType::mtError);
}

TEST_F(FolderDialogsTest, TheSystemDriveRootOffersTheDocumentsFolderWhileUacIsOn)
{
    SetUac(1);
    const std::string company = (root / "data" / "company").string();
    std::string folder;
    // No: the browser opens again, and the next choice is taken.
    messages.answers = {mrNo};
    WhenModalShows([&](QWidget* modal) {
        WhenModalShows([&](QWidget* again) { Choose(again, company); });
        Choose(modal, "/");
    });
    EXPECT_TRUE(SelectFolderDlg("", folder));
    EXPECT_EQ(folder, company);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Text, NoWriteAccessMessage);

    // Yes: the documents folder.
    messages.answers = {mrYes};
    WhenModalShows([&](QWidget* modal) { Choose(modal, "/"); });
    EXPECT_TRUE(SelectFolderDlg("", folder));
    EXPECT_EQ(folder, GetMyDocumentsDir());

    // Skipping the check takes the root as it is.
    WhenModalShows([&](QWidget* modal) { Choose(modal, "/"); });
    EXPECT_TRUE(SelectFolderDlg("", folder, true));
    EXPECT_EQ(folder, "/");
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(FolderDialogsTest, CheckSaveFileNameMovesAFileInTheRootToTheDocuments)
{
    SetUac(1);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    std::string fileName;
    messages.answers = {mrNo, mrYes};
    WhenModalShows([&](QWidget* modal) {
        WhenModalShows([&](QWidget* again) { Choose(again, "/ledrix-test-output.xml"); });
        Choose(modal, "/ledrix-test-output.xml");
    });
    EXPECT_TRUE(CheckSaveFileName(dialog, fileName));
    EXPECT_EQ(fileName, GetMyDocumentsDir() + "/ledrix-test-output.xml");
    EXPECT_EQ(messages.shown.size(), 2u);

    const std::string elsewhere = (root / "data" / "out.xml").string();
    WhenModalShows([&](QWidget* modal) { Choose(modal, elsewhere); });
    EXPECT_TRUE(CheckSaveFileName(dialog, fileName));
    EXPECT_EQ(fileName, elsewhere);
    WhenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_FALSE(CheckSaveFileName(dialog, fileName));
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(FolderDialogsTest, SelectComputerTakesTheConfirmedName)
{
    std::string name = "SERVER01";
    WhenModalShows([](QWidget* modal) {
        auto* form = qobject_cast<TSelectComputerForm*>(modal);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("コンピュータを選択して下さい"));
        EXPECT_EQ(form->cmbComputer->currentText(), QStringLiteral("SERVER01"));
        form->cmbComputer->lineEdit()->clear();
        EXPECT_FALSE(form->btnOK->isEnabled());
        QTest::keyClicks(form->cmbComputer->lineEdit(), QStringLiteral("accsrv"));
        QTest::mouseClick(form->btnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(SelectComputerDlg("", name));
    EXPECT_EQ(name, "accsrv");

    WhenModalShows([](QWidget* modal) {
        QTest::mouseClick(qobject_cast<TSelectComputerForm*>(modal)->btnCancel, Qt::LeftButton);
    });
    EXPECT_FALSE(SelectComputerDlg("サーバーの選択", name));
    EXPECT_EQ(name, "accsrv");
}

TEST_F(FolderDialogsTest, KnownComputersAreThisOneAndTheHostsFileNames)
{
    const fs::path hosts = root / "hosts";
    std::ofstream(hosts) << "127.0.0.1\tlocalhost\n::1 localhost ip6-localhost\n"
                            "# a comment\n192.168.1.10  accsrv accsrv.example.local # the server\n"
                            "192.168.1.11 pc-02\n192.168.1.12 accsrv\nff02::1 ip6-allnodes\n";
    const QStringList names = TSelectComputerForm::KnownComputers(QString::fromStdString(hosts.string()));
    ASSERT_GE(names.size(), 3);
    EXPECT_EQ(names.mid(names.size() - 3),
              (QStringList{QStringLiteral("accsrv"), QStringLiteral("accsrv.example.local"), QStringLiteral("pc-02")}));
    EXPECT_FALSE(names.contains(QStringLiteral("localhost")));
    EXPECT_FALSE(names.contains(QStringLiteral("ip6-allnodes")));
}

}  // namespace
