#pragma once
// "データの場所の設定": names, renames, deletes and orders the data places
// of the server modes (see dataselect/DataPlaces.h). Every action is saved
// at once, so closing by Esc keeps what was done.
//
// The owner keeps one instance; SetDataPlaceMode loads the places and puts
// the cursor on the current place (SystemDef.DataPlaceNo); the owner then
// shows the dialog modally: 1 "閉じる", 2 Esc. The grid's rows follow the
// store's list; row -1's value is the place's REC.

#include "controls/widgets/TBSDI.h"
#include "dataselect/DataPlaces.h"

#include <cstdint>
#include <string>

class QPlainTextEdit;
class TInputDlgBox;
class TPerfectGrid;
class TxPlButton;

class TDataPlaceBox : public TBSDI {
    Q_OBJECT
public:
    explicit TDataPlaceBox(QWidget* owner = nullptr);
    ~TDataPlaceBox() override;

    void SetDataPlaceMode(std::uint8_t mode);
    std::uint8_t Mode() const { return mode_; }
    TDataPlaceStore& Places() { return places_; }

    void UpdateFunctionKeys();
    void F2Click();
    void F3Click();
    void F5Click();
    void F6Click();
    void F7Click();

    TPerfectGrid* PerfectGrid1;
    TxPlButton* F1;
    TxPlButton* F2;
    TxPlButton* F3;
    TxPlButton* F5;
    TxPlButton* F6;
    TxPlButton* F7;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;
    QPlainTextEdit* HintArea;
    TInputDlgBox* InputDlg;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadHints();
    void FillGrid();
    void FillRow(int row);
    TDataPlaceRec* CurrentPlace();
    // Asks for a name; empty when cancelled or when nothing was typed (the
    // latter reported).
    bool AskName(const char* caption, const char* prompt, const char* hint, std::string& name);
    void MoveRow(int by);
    void SaveChanges();
    template <class F>
    void Guarded(F&& handler);

    std::uint8_t mode_ = 0;
    TDataPlaceStore places_;
};
