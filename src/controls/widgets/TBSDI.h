#pragma once
// The base form of the dialogs and process screens. Every such form gets
// from it the date format, the hint memo, the Esc and F12 keys, the
// first-show scaling of the form to the operator's font, the memory of the
// form's size per operator (FORMRSIZE of the system database), the process
// history (OPINF of the company database), placement, and the set-up of the
// period selectors and era date edits it holds.
//
// How a descendant uses it: its constructor passes the border style, builds
// its controls (named: the period selectors "KikanPanel16", "KikanPanel12",
// "KikanPanel4", "KikanPanel2" are found by name), sets its object name
// (the key of its size row and saved values) and caption, then calls
// FormCreate(), adjusts the switches below and sets CreatedOK last. The
// handlers keep their names; the Qt events reach them: show (first show,
// once), activation, focus changes, key release (seen before the focused
// control, like a key preview), and close - done() for a dialog's modal end
// as for close() - which runs FormClose once.
//
// Closing frees the form (deleteLater) unless KeepOnClose is set, so a form
// that lives on the stack sets KeepOnClose.
//
// Exceptions never leave an event handler: what FormShow passes on (a
// failed process history) is shown as an error at the edge of the show
// event.
//
// A dialog here is a form whose border style is bsDialog: it writes no
// history and no size row, does not reload the accounting information and
// gets no frame compensation.

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/GamenKeyValue.h"
#include "foundation/MojiBunkatu.h"

class TPerfectGrid;
class TxPlButton;
namespace db {
class Transaction;
}

enum TFormBorderStyle { bsSizeable, bsDialog };
enum TCloseAction { caNone, caHide, caFree };

// Position, size and tag of one component at the first show, with the grid
// block of string grids and list views (default row height, default column
// width and each column's width).
struct TLayoutRec {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Tag = 0;
    std::int32_t ItemHeight = 0;  // combo boxes
    bool HasGrid = false;
    double DefaultRowHeight = 0;
    double DefaultColWidth = 0;
    std::vector<std::int16_t> ColWidths;  // at most MaxLayoutColumns
};

class TBSDI : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxLayoutColumns = 2001;
    // The size a form without a size row gets, at 96 pixels per inch.
    static constexpr int DefaultFormWidth = 1012;
    static constexpr int DefaultFormHeight = 648;

    explicit TBSDI(QWidget* parent = nullptr, TFormBorderStyle borderStyle = bsSizeable);
    ~TBSDI() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    bool IsDialog() const { return borderStyle_ == bsDialog; }
    // The resolution the form is laid out for; 96 as built, changed by the
    // zoom of the first show.
    int PixelsPerInch() const { return pixelsPerInch_; }

    // Per-form switches and values; a descendant changes them after
    // FormCreate.
    QWidget* OwnerWindow = nullptr;
    QString OwnerCaption;
    bool CallMenuHook = false;
    bool UseProcHistory = false;
    bool SkipOtherScreensCheck = false;
    bool UseSizeMemory = false;
    bool ReloadAccInfo = false;
    bool ActivateHookFlag = false;
    std::int32_t ActivateHookValue = 0;
    bool NoSizeSave = false;
    bool CreatedOK = false;
    bool Shown = false;
    bool PositionPending = true;
    QWidget* HintMemo = nullptr;  // a label or a text edit
    bool KeepOnClose = false;
    std::uint16_t LastKey = 0;  // Windows virtual-key code (Esc 27, F12 123)
    bool GridResizeOn = false;
    QFont ZoomFont;
    std::int32_t ZoomPercent = 100;
    std::vector<TLayoutRec> Layout;
    std::int32_t DesignWidth = 0;
    std::int32_t DesignHeight = 0;
    std::int32_t MinWidth = 0;
    std::int32_t MinHeight = 0;
    std::int32_t MaxWidth = 0;
    std::int32_t MaxHeight = 0;
    std::int32_t FontHeight = 0;
    std::unique_ptr<TGamenKeyValue> ScreenKeyStore;
    std::string ScreenKeyValue;
    TxPlButton* F12Button = nullptr;
    bool FocusF12Button = true;
    bool Deactivated = false;
    std::int32_t StartPeriod = 0;
    QStringList List1;
    QStringList List2;
    QStringList List3;
    std::unique_ptr<TMojiBunkatu> Splitter;

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    void FormClose(TCloseAction& action);
    // Key is a Qt key; it is 0 afterwards when the form consumed it.
    void FormKeyUp(int& key, Qt::KeyboardModifiers shift);
    void BaseFormShowingChanged();
    void BaseFormFocusChanged();

    // Makes window the owner of this form (a window of another form) and
    // keeps its caption.
    void SetParentWindow(QWidget* window);
    // Gives a list grid the operator's colours; scheme 1 keeps one
    // background for all rows, any other alternates the two client colours.
    static void SetPerfectGridColors(TPerfectGrid* grid, int scheme);
    // Kind 1 centres over the area given by the offsets and sizes inside
    // the main form, kind 2 over the main form, any other kind on the
    // screen; the form is kept inside the work area.
    void SetFormPosition(int xOffset, int yOffset, int areaWidth, int areaHeight, int kind);
    // The long part of control's tool tip (after the first "|") into target.
    static void ShowControlHint(QWidget* control, QWidget* target);
    // State 0 when the screen opens, 1 when it closes. A failure is logged
    // and passed on.
    void PutProcRirekiInfo(int state);
    void GetFormSize();
    void PutFormSize();
    void LoadScreenKeyValue();
    void StoreScreenKeyValue();
    // For descendants: when the set-up failed (CreatedOK false) shows
    // "<caption>画面の初期化に失敗しました。..." and closes; answers CreatedOK.
    bool CheckCreatedOK();

    // The main form that the placement and the maximised size refer to;
    // none: the screen's work area.
    static void SetMainForm(QWidget* form);
    static QWidget* MainForm();

    // The index among the sixteen periods of month m (1-12; the quarter
    // settlement periods are skipped); 0 for any other value.
    static int PeriodIndexOfMonth(int month);
    // 2 × (frame - 4) for a frame above 4 pixels, else 0.
    static int FrameCompensation(int frameSize);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    void done(int result) override;

private:
    // The form's components in creation order: its widgets and those of
    // its plain containers (panels, group boxes), not the inner widgets of
    // a control.
    QList<QWidget*> FormComponents() const;
    void SetUpPeriodSelectors();
    void ApplyFrameCompensation();
    void TakeLayout(int r);
    void ZoomToOperatorFont(int referencePPI);
    void ScaleBy(int m, int d);
    int ReferencePPI() const;

    TFormBorderStyle borderStyle_;
    int pixelsPerInch_ = 96;
    bool closing_ = false;
    bool showHint_ = true;  // the operator's hint switch
    std::unique_ptr<db::Transaction> IBTransactionDAT;
};
