// The wizard's steps: the checks made when the operator leaves a page, the
// calculation conditions, the summary and the finish that writes the
// intermediate file.

#include "app/export/DataExportError.h"
#include "app/export/RendoFile.h"
#include "app/export/UtiwakesyoDataExport.h"
#include "app/wizard/TForm1.h"
#include "app/wizard/WizardSummary.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxRadioButton.h"
#include "controls/widgets/TxWizard.h"
#include "foundation/AccInf.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>

namespace {

std::string ProgressAnimation()
{
    return (QCoreApplication::applicationDirPath() + QStringLiteral("/progress.avi")).toStdString();
}

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

}  // namespace

void TForm1::Wizard1NextClicking(QObject*, bool, bool& allowChange)
{
    allowChange = false;
    const QString page = CurrentPageName();
    if (page == QLatin1String("page1") || page == QLatin1String("page5")) {
        allowChange = true;
    } else if (page == QLatin1String("page2")) {
        allowChange = CheckDataSelection();
    } else if (page == QLatin1String("page3")) {
        // Without the file-name step the summary follows at once.
        if (!Page(QStringLiteral("page4")))
            MakeSummaryText();
        allowChange = true;
    } else if (page == QLatin1String("page4")) {
        const std::string fileName = Edit4a->text().toStdString();
        if (std::filesystem::path(fileName).filename().empty()) {
            ShowUserMessage("中間ﾌｧｲﾙが指定されていません。\r指定してから[次へ]をｸﾘｯｸしてください。\r",
                            TMsgDlgType::mtWarning);
            Button2->setText(QStringLiteral("次へ(&N) >"));
            return;
        }
        // Nobody may write in the root folder: refused here rather than
        // failing at the finish.
        const std::string folder = std::filesystem::path(RendoFilePath(fileName)).parent_path().string();
        if (WithSlash(folder) == WithSlash(SystemDrive)) {
            ShowUserMessage(
                "ｼｽﾃﾑﾄﾞﾗｲﾌﾞ(" + SystemDrive +
                    ")直下にﾌｧｲﾙは指定できません。\r別のﾄﾞﾗｲﾌﾞまたはﾌｫﾙﾀﾞを指定してから[次へ]をｸﾘｯｸしてください。\r",
                TMsgDlgType::mtWarning);
            Button2->setText(QStringLiteral("次へ(&N) >"));
            return;
        }
        MakeSummaryText();
        allowChange = true;
    }
}

void TForm1::Wizard1NextClick(QObject*, bool finalState)
{
    if (finalState)
        Finish();
}

void TForm1::Wizard1PageChanged()
{
    if (CurrentPageName() == QLatin1String("page2") && listDataInfo->rowCount() == 0)
        btnDataSentaku->setFocus();
}

bool TForm1::CheckDataSelection()
{
    if (SystemDef.DataDir.empty() || listDataInfo->rowCount() == 0) {
        ShowUserMessage("会計データの選択が行われていません。\r「データ選択を開く」ボタンを押して選択して下さい。",
                        TMsgDlgType::mtWarning);
        btnDataSentaku->setFocus();
        return false;
    }
    xKikanPanel3a->SetupPeriod(AccInf.SIME, AccInf.KISHU, AccInf.KIMATU, AccInf.KAISI);
    xKikanPanel3a->SetStno(AccInf.OpeningPeriodIndex);
    xKikanPanel3a->SetEdno(AccInf.YearEndPeriod);
    if (AccInf.TAXDEFUH == 0)
        RadioButton3a->setChecked(true);
    else if (AccInf.TAXDEFUH == 1)
        RadioButton3b->setChecked(true);
    Export->CompanyName = AccInf.SHOUGOU;
    Export->Nendo = AccInf.NENDO;
    Export->FiscalStart = AccInf.KISHU;
    Export->FiscalEnd = AccInf.KIMATU;
    Export->ClosingDay = AccInf.SIME;
    Export->StartCell = xKikanPanel3a->Stno();
    Export->EndCell = xKikanPanel3a->Edno();
    Export->LastCell = Export->EndCell;
    Export->TaxMode = AccInf.TAXDEFUH;
    Export->DataType = AccInf.DATATYPE;
    return true;
}

// The operator chooses only where the range ends: it always starts with the
// data's first month.
void TForm1::xKikanPanel3aMouseUp()
{
    xKikanPanel3a->SetStno(AccInf.OpeningPeriodIndex);
}

void TForm1::BitBtn4aClick()
{
    QFileDialog dialog(this, QStringLiteral("中間ﾌｧｲﾙの指定"), QString::fromStdString(DocumentsDir));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("中間ﾌｧｲﾙ (*.xml *.XML)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*) (*)")});
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    if (QFileInfo::exists(Edit4a->text()))
        dialog.selectFile(Edit4a->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        Edit4a->setText(dialog.selectedFiles().front());
}

void TForm1::MakeSummaryText()
{
    Export->StartCell = xKikanPanel3a->Stno();
    Export->EndCell = xKikanPanel3a->Edno();
    Export->LastCell = xKikanPanel3a->LastNo();
    Export->TaxMode = RadioButton3a->isChecked() ? 0 : 1;
    TWizardSummary summary;
    summary.CompanyName = Export->CompanyName;
    summary.Nendo = Export->Nendo;
    summary.FiscalStart = Export->FiscalStart;
    summary.FiscalEnd = Export->FiscalEnd;
    summary.ClosingDay = Export->ClosingDay;
    summary.StartCell = Export->StartCell;
    summary.EndCell = Export->EndCell;
    summary.LastCell = Export->LastCell;
    summary.TaxMode = Export->TaxMode;
    summary.WithFile = Page(QStringLiteral("page4")) != nullptr;
    if (summary.WithFile) {
        Export->OutputFileName = Edit4a->text().toStdString();
        summary.FileName = Export->OutputFileName;
    }
    QStringList lines;
    for (const std::string& line : MakeSummaryLines(summary))
        lines << QString::fromStdString(line);
    Memo5b->setPlainText(lines.join(QLatin1Char('\n')));
}

bool TForm1::MakeRendoFile()
{
    try {
        WriteRendoFile(*Export, Export->OutputFileName);
        return true;
    } catch (const EDataExportError& error) {
        xAnimeProgressDialog1->SetAnimeActive(false);
        ShowUserMessage(std::string(error.what()) + "\r" + error.Detail + "\r", TMsgDlgType::mtError);
        return false;
    }
}

void TForm1::Finish()
{
    xAnimeProgressDialog1->SetCaption(QStringLiteral("連動データの作成中"));
    xAnimeProgressDialog1->SetInfoLabel(QStringLiteral("連動データの作成中です…"));
    xAnimeProgressDialog1->SetAviFile(QString::fromStdString(ProgressAnimation()));
    xAnimeProgressDialog1->CancelBtnShow = false;
    xAnimeProgressDialog1->ShowProgressDialog(this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool created = false;
    std::string escaped;
    try {
        created = MakeRendoFile();
    } catch (const std::exception& error) {
        escaped = error.what();
    }
    xAnimeProgressDialog1->CloseProgressDialog();
    QApplication::restoreOverrideCursor();
    if (created) {
        if (Page(QStringLiteral("page4")))
            ShowUserMessage("中間ファイルが作成されました。\r", TMsgDlgType::mtInformation);
        ResultCode = WizardCreated;
    } else {
        ShowUserMessage("中間ファイルの作成に失敗しました。\r", TMsgDlgType::mtError);
        // What failed in the document or the file, as it was raised.
        if (!escaped.empty())
            ShowUserMessage(escaped, TMsgDlgType::mtError);
        ResultCode = WizardFailed;
    }
    EndApplication();
}
