#pragma once
// The conversion wizard's form: five steps on a page control (introduction,
// the company data, the calculation conditions, the file name, the summary)
// that end in the intermediate file of the account-breakdown export.
//
// Life of the form, as the program drives it:
//
//     TForm1 form({arguments after the program name, program file path});
//     if (form.Created() && form.InitApplication()) {
//         form.show();          // the first show logs the operator on
//         app.exec();           // ends when the form closes
//     }
//     // destroying the form hands the caller its window and the result
//
// The constructor runs FormCreate: it reads the command line, disables the
// calling application's window, loads AppInfo.ini, makes the export object
// and checks the installed product's version. Where that fails it shows why
// and Created() answers false; the program then ends without the message
// loop. The destructor (FormDestroy) writes the tax-return application's
// settings through the export object, clears the framework hooks and, when a
// caller window was given, brings it to the front, enables it and posts its
// message with wParam the function number and lParam ResultCode: 0 created,
// 1 cancelled (Cancel or the close box), 2 failed (the preset).
//
// The program reaches this form through WizardProgram (WizardProgram.h):
// its hooks, the application information's settings and the environment
// set-up.

#include "platform/WindowMessages.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class ICloudShareTransfer;
class TUtiwakesyoDataExport;
class TxAnimeProgressDialog;
class TxEdit;
class TxKikanPanel16;
class TxRadioButton;
class TxWizard;

struct TWizardStart {
    std::vector<std::string> Arguments;  // the command line without the program
    std::string ProgramPath;             // the program file; AppInfo.ini sits beside it
};

// Result codes posted to the caller.
inline constexpr std::int32_t WizardCreated = 0;
inline constexpr std::int32_t WizardCancelled = 1;
inline constexpr std::int32_t WizardFailed = 2;

class TWindowHandleOwner;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(const TWizardStart& start, QWidget* parent = nullptr);
    ~TForm1() override;

    // False when FormCreate stopped (its message was shown).
    bool Created() const { return created_; }
    // The environment set-up and the data module; false after showing the
    // initialisation message.
    bool InitApplication();
    // The logon dialog; true when the operator logged on.
    bool ShowLogonBox();
    // Hands the open company data back and logs the operator off; a second
    // call does nothing.
    void CloseDataAndLogoff();

    // Handlers.
    void btnCancelClick();
    void Wizard1NextClicking(QObject* sender, bool finalState, bool& allowChange);
    void Wizard1NextClick(QObject* sender, bool finalState);
    void Wizard1PageChanged();
    void btnDataSentakuClick();
    void BitBtn4aClick();
    void xKikanPanel3aMouseUp();

    // Choosing and opening the company data (processing kind, launch flag).
    bool OpenDataSelection(std::int32_t syoriType, std::int32_t launch);
    std::int32_t PrepareSelectedData();
    std::int32_t ReturnSelectedData();
    std::int32_t ReceiveSharedData(std::int32_t autoShare);
    std::int32_t StoreSharedData();

    // The page named name ("page1" ...), nullptr once removed.
    QWidget* Page(const QString& name) const;
    QString CurrentPageName() const;

    // Components.
    TxWizard* Wizard1;
    QPushButton* Button1;  // Back
    QPushButton* Button2;  // Next
    QPushButton* btnCancel;
    TxAnimeProgressDialog* xAnimeProgressDialog1;
    QPlainTextEdit* Memo1a;
    QPlainTextEdit* Memo1b;
    QLabel* Label2a;
    QPushButton* btnDataSentaku;
    QTableWidget* listDataInfo;
    QLabel* Label2c;
    QLabel* Label3a;
    QGroupBox* GroupBox3a;
    TxKikanPanel16* xKikanPanel3a;
    QGroupBox* GroupBox3b;
    TxRadioButton* RadioButton3a;
    TxRadioButton* RadioButton3b;
    QLabel* Label3b;
    QLabel* Label4a;
    QGroupBox* GroupBox4a;
    TxEdit* Edit4a;
    QPushButton* BitBtn4a;
    QLabel* Label4b;
    QLabel* Memo5a;
    QPlainTextEdit* Memo5b;

    // Run state.
    platform::WindowHandle CallerWindow = 0;
    std::uint32_t CallerMessage = 0;
    std::int32_t FunctionNo = 0;
    std::string CallerFileName;
    std::int32_t ResultCode = WizardFailed;
    std::string SystemDrive;
    std::string DocumentsDir;
    std::string InitMessage;
    bool LoggedOn = false;
    bool DataConnected = false;
    std::string PrevDataPath;
    bool DataOpened = false;
    std::unique_ptr<TUtiwakesyoDataExport> Export;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* AddPage(const QString& name);
    void RemovePage(const QString& name);
    void FormCreate(const TWizardStart& start);
    bool ReadCommandLine(const std::vector<std::string>& arguments);
    void SetPageTexts();
    void FirstShow();
    void EndApplication();
    void FormCloseQuery();
    void FormDestroy();

    bool CheckDataSelection();
    void MakeSummaryText();
    bool MakeRendoFile();
    void Finish();

    // The step of opening a chosen data set for use; how the choice goes on.
    enum class TOpenStep { Opened, NextPass, Failed };
    // The choice on the selection screen: a data set taken, the data opened
    // before kept, or nothing.
    enum class TChoice { Chosen, KeepPrevious, Failed };
    TChoice ChooseData(std::int32_t syoriType, std::int32_t launch);
    TOpenStep OpenForUse();
    // A connection or check failure: the lines, then the question whether to
    // choose again; true for OK.
    bool AskSelectAgain(const std::vector<std::string>& lines);
    void DisconnectData(bool refreshInfo);
    void ShowDataList();
    std::int32_t CloudShareStep(bool send);
    // True for the local folder of a shared data set that has no copy here
    // yet and is not taken by this operator (stand-alone mode).
    bool AwaitsShareTake(const std::string& folder);
    void SettleAfterShare();

    bool created_ = false;
    bool shown_ = false;
    bool closing_ = false;
    std::vector<QWidget*> pages_;
    // Data communication for the cloud-share step, made on first need.
    std::unique_ptr<ICloudShareTransfer> cloudShare_;
    // The program's main window as other programs reach it.
    std::unique_ptr<TWindowHandleOwner> ownWindow_;
};
