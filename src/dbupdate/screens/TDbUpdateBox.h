#pragma once
// The update dialog: lists the updates a database still needs, with their
// titles and descriptions, and runs them (DbUpdateRun.h) when the user
// confirms. Kind 0 is the system database, kind 1 the open company data
// (which needs the user's consent first).
//
// While a run is under way the dialog refuses a second start and does not
// close; its Cancel button (and Esc) then asks the running update tool to
// stop, which fails that update, so the backup is put back.
//
// Modal results: 1 every update done, 2 closed without a run, 4 refused or
// failed.

#include "controls/MessageBox2Info.h"
#include "controls/widgets/TBSDI.h"
#include "dbupdate/DbUpdateCheck.h"
#include "dbupdate/DbUpdateRun.h"

#include <memory>

class QLabel;
class QProgressBar;
class QTextEdit;
class QTreeWidget;
class QFrame;
class TxAnimeProgressDialog;
class TxCheckBox;
class TxPlButton;

class TDbUpdateBox : public TBSDI, public TDbUpdateCheck, private IDbUpdateRunView {
    Q_OBJECT
public:
    explicit TDbUpdateBox(QWidget* owner = nullptr);
    ~TDbUpdateBox() override;

    // Also lays the dialog out for the kind and lists the pending updates.
    void CheckUpdate(std::uint8_t kind, const std::string& versionText);

    void ListView1SelectItem();
    void cboxAgreeClick();
    void btnOkClick();
    void btnCancelClick();
    // Whether a run is under way.
    bool RunActive() const { return runGuard_; }
    // The backup file of the last run and whether it was kept (a restore
    // that failed leaves it as the last good copy).
    const std::string& BackupFileName() const { return backupFileName_; }
    bool BackupKept() const { return backupKept_; }
    const TErrInfomation& ErrorInfo() const { return errorInfo_; }
    TMessage2InfoRec FailureMessage;

    QLabel* ImageRed;
    QLabel* ImageGrn;
    QLabel* lblTitle1;
    QTreeWidget* ListView1;
    QTextEdit* RichEdit1;
    TxCheckBox* cboxAgree;
    QLabel* lblTitle2;
    QLabel* lblTitle3;
    QFrame* pnlProgress;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    TxPlButton* btnOk;
    TxPlButton* btnCancel;
    TxAnimeProgressDialog* xAnimeProgressDialog1;

public slots:
    void reject() override;

private:
    void OpenProgressWindow(const std::string& caption, const std::string& info) override;
    void CloseProgressWindow() override;
    void ShowRunProgress(std::int32_t count) override;
    void StepRunProgress() override;
    void HideRunProgress() override;
    void SetItemState(std::int32_t item, std::int32_t result) override;

    bool OthersAttached();
    std::string GetLoginOperatorText();
    void Reconnect();
    int Scaled(int value) const;

    bool runGuard_ = false;
    std::string backupFileName_;
    bool backupKept_ = false;
    std::string failedVersion_;
    TErrInfomation errorInfo_;
};
