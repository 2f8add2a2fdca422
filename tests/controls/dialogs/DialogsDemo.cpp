// Draws each dialog (and the foundation's computer and folder browsers) to
// a PNG for looking at them: run under `xvfb-run -a dialogs_demo <folder>`.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QTimer>
#include <cstdio>

#include "controls/dialogs/TInputDlgBox.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "foundation/AppInfo.h"
#include "foundation/OperatorLogon.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/screens/TAppIniCreateBox.h"
#include "foundation/screens/TLogonBox.h"
#include "foundation/screens/TSelectComputerForm.h"
#include "foundation/screens/TUpPasswordBox.h"
#include "platform/DateTime.h"

namespace {

bool Save(QWidget* w, const QString& folder, const QString& name)
{
    w->show();
    w->activateWindow();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const bool ok = w->grab().save(QDir(folder).filePath(name));
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(name));
    w->hide();
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setFont(QFont(QStringLiteral("IPAGothic"), 10));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    bool ok = true;

    {
        TMessage2InfoRec info;
        info.MessageId = 0x10003011;
        info.AgreeMode = 1;
        info.AgreeText = "内容を確認しました";
        TMessageBox2 box;
        box.SetupMessage(info);
        ok &= Save(&box, folder, QStringLiteral("messagebox2-catalogue.png"));
    }
    {
        TMessage2InfoRec info;
        InitMessage2Info(1, info);
        for (int i = 0; i < 9; ++i)
            info.Lines[static_cast<std::size_t>(i)].Text = "エラーの行 " + std::to_string(i + 1);
        info.Lines[4].Link = "https://example.com";
        info.Buttons = Msg2Bit(mb2Yes) | Msg2Bit(mb2No) | Msg2Bit(mb2Cancel);
        info.ButtonCaptions = {"", "データを選択し直す(&R)", ""};
        TMessageBox2 box;
        box.SetupMessage(info);
        ok &= Save(&box, folder, QStringLiteral("messagebox2-nine-lines.png"));
    }
    {
        TMessage2InfoRec info;
        InitMessage2Info(2, info);
        info.Lines[0].Text = "一行目";
        info.Lines[4].Text = "五行目（間の行は空白）";
        TMessageBox2 box;
        box.SetupMessage(info);
        ok &= Save(&box, folder, QStringLiteral("messagebox2-gap.png"));
    }
    {
        TMessageInfoRec info;
        info.Kind = 2;
        info.Caption = "確認";
        info.LabelText = "次のデータを削除します。よろしいですか？";
        info.Lines = {"001 株式会社サンプル", "002 有限会社テスト"};
        info.AgreeText = "削除に同意する";
        TMessageBox box;
        box.SetupMessageBox(info);
        ok &= Save(&box, folder, QStringLiteral("messagebox.png"));
    }
    const std::pair<int, const char*> kinds[] = {{0, "inputdlg-text.png"},
                                                 {1, "inputdlg-password.png"},
                                                 {2, "inputdlg-combo.png"},
                                                 {3, "inputdlg-amount.png"},
                                                 {4, "inputdlg-dates.png"}};
    for (const auto& [kind, name] : kinds) {
        TInputDlgBox dlg;
        dlg.InputKind = kind;
        dlg.DlgCaption = "データパスワード";
        dlg.Prompt = "データパスワードを入力して下さい。";
        dlg.InputHint = "パスワード|データを開くためのパスワードを入力します。";
        dlg.Value = kind == 3 ? "1234567" : kind == 2 ? "002:普通預金" : "secret12";
        dlg.ComboItems = {"001:現金", "002:普通預金"};
        TryEncodeDate(2024, 4, 1, dlg.Date1);
        TryEncodeDate(2025, 3, 31, dlg.Date2);
        dlg.SetupInputDlg(true);
        ok &= Save(&dlg, folder, QString::fromUtf8(name));
    }
    {
        QWidget owner;
        owner.resize(500, 300);
        owner.show();
        TxAnimeProgressDialog progress;
        progress.SetCaption(QStringLiteral("連動データの作成"));
        progress.SetInfoLabel(QStringLiteral("科目残高を計算しています..."));
        progress.ShowProgressDialog(&owner);
        ok &= Save(progress.Handle(), folder, QStringLiteral("progress.png"));
        progress.CloseProgressDialog();
    }
    {
        TSelectComputerForm form;
        form.setWindowTitle(QStringLiteral("コンピュータを選択して下さい"));
        form.SetComputerName(QStringLiteral("accsrv"));
        ok &= Save(&form, folder, QStringLiteral("select-computer.png"));
    }
    {
        QFileDialog dialog(nullptr, QStringLiteral("フォルダを選択して下さい"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setDirectory(QDir::homePath());
        ok &= Save(&dialog, folder, QStringLiteral("select-folder.png"));
    }
    {
        // The logon's dialogs read the application ini; without one they
        // show its defaults.
        SystemDef.ProgramTitle = "Ledrix財務";
        AppInfo.Zaimu.ServerDir = "/ledrixzaimu/data";
        SystemDef.AppIniPath = QDir(folder).filePath(QStringLiteral("demo-missing.ini")).toStdString();
        TLogonBox logon;
        ok &= Save(&logon, folder, QStringLiteral("logon.png"));
        TAppIniCreateBox settings;
        ok &= Save(&settings, folder, QStringLiteral("server-settings.png"));
        TUpPasswordBox password;
        password.SetCurrentPassword("Abc1");
        ok &= Save(&password, folder, QStringLiteral("password-change.png"));
        password.SetCurrentPassword("");
        ok &= Save(&password, folder, QStringLiteral("password-set.png"));
        TMessage2InfoRec info;
        InitMessage2Info(2, info);
        info.Caption = "情報";
        const db::FbError stopped(335544721, -902, "Unable to complete network request to host \"127.0.0.1\".");
        const auto serverLines = ConnectionFailureLines(&stopped, "", 1, 0);
        for (std::size_t i = 0; i < serverLines.size(); ++i)
            info.Lines[i].Text = serverLines[i];
        TMessageBox2 box;
        box.SetupMessage(info);
        ok &= Save(&box, folder, QStringLiteral("logon-server-stopped.png"));
    }
    return ok ? 0 : 1;
}
