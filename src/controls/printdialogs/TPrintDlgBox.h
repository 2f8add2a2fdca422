#pragma once
// The print dialog of a report: print, preview or copy; colour or black and
// white; the number of the first page; margins for double-sided printing.
// It fills the caller's TDefaultPrintRec and, per operator and report when
// asked, keeps the report's colours and the dialog's choices in the system
// database.
//
// The caller sets PrintRec and the switches, calls Setup, runs exec() (1 OK,
// 2 cancel) and reads PrintAction (1 print, 2 preview, 3 copy).

#include "controls/print/DefaultPrintRec.h"
#include "controls/widgets/TBSDI.h"

#include <QColor>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TxCheckBox;
class TxEdit;
class TxPlButton;
class TxRadioButton;

class TPrintDlgBox : public TBSDI {
    Q_OBJECT
public:
    explicit TPrintDlgBox(QWidget* owner = nullptr);

    TDefaultPrintRec* PrintRec = nullptr;
    bool PerReportColors = false;
    QString DlgCaption;
    QString DlgMessage;
    QColor DlgMessageColor;  // invalid: the form's font colour
    bool ShowColorChoice = false;
    bool ShowStartPage = false;
    bool ShowBothSides = false;
    bool ShowPreview = false;
    bool ShowCopy = false;
    int PrintAction = 0;

    virtual void Setup(bool initFlag);
    virtual void ApplyOptions();
    virtual void LoadHints();
    // "HOZON" writes the choices into the record, "FUKUGEN" restores them
    // (letters in any case); other texts do nothing.
    virtual void SaveRestore(const std::string& text);

    QLabel* lblMain;
    QLabel* lblColor;
    QGroupBox* grpColor;
    TxRadioButton* rbMono;
    TxRadioButton* rbColor;
    TxPlButton* btnColorSelect;
    QLabel* lblStartPage;
    TxEdit* txtStartPage;
    TxCheckBox* chkBothSides;
    QPlainTextEdit* memHint;
    TxPlButton* btnPreview;
    TxPlButton* btnCopy;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

protected:
    // OK, preview and copy: the choices into the record, PrintAction.
    virtual void OkClick(int action);
    // "色選択": the report colour dialog over the record's colours.
    void ColorSelectClick();
    // Lays the rows out from the top: the visible ones in order.
    void PlaceRows(const std::vector<std::vector<QWidget*>>& rows);
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

    bool initFlag_ = false;
};
