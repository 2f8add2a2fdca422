#pragma once
// The data-selection screen: the operator chooses a company data set (or,
// in processing kinds 2 and 4, an empty place for new data) from the data
// list. It is a process screen, started by the name "QvDataSenkaku" (see
// DataSenkakuProcess.h) with parameter lines:
//
//   SyoriType     0-5, the kind of work (3 the wizard's "choose only");
//                 above 5 SetParams throws "処理タイプに範囲外の値が設定され
//                 ました。"; negative or not a number keeps the kind
//   FormStyle     2 a normal window, other values but 0 and 1 stay on top
//                 (there are no MDI windows here: 0 and 1 are normal too)
//   JyokenSet     the list is filtered by DataType, CodeType and one of
//                 DataVer / DataVerMajor / DataVerMore (the last of these,
//                 in that order, decides), and ManualFree=1 keeps the form
//                 alive after its close for its creator to free
//   OnlySA_Syori, OnlySA_BackupPath   carry mode and folder of kind 5
//
// Execute(true) loads the list and runs the screen modally: 1 chosen (the
// data folder in SystemDef.DataDir, its registered path in
// SystemDef.DataPathRegistered; kinds 2 and 4 leave "PATH1=..\rPATH2=.." in
// SystemDef.DataSelectResult instead), 2 cancelled, 3 quit confirmed
// (kind 1), -1 refused or not set up. Execute(false) only shows the form.
//
// The grid has twenty columns, the hidden ones carrying what the row
// checks need: 10 lock holder, 11 taken shared data, 12 version
// "a.b.c", 13 update lock (replaced by the update check's pending flag),
// 14 merged-data kind, 15 index of the loaded row, 16 index of a child,
// 17 data status, 18 cloud, 19 read only. Row -1's value (the row-header
// column) is the row's REC.
//
// Data communication is not part of this program: no data set counts as
// cloud-shared, so the cloud column has width 0 and the cloud button is
// hidden.

#include "controls/widgets/TBSDI.h"
#include "dataselect/DataKensakuRec.h"
#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataInfomationRec.h"
#include "foundation/ProcessRegistry.h"
#include "foundation/UserMessage.h"

#include <QIcon>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class TDataInfomation;
class TDataListKensakuBox;
class TDataPlaceBox;
class TDataPlaceStore;
class TDbUpdateCheck;
class TPerfectGrid;
class TxAnimeProgressDialog;
class TxCheckBox;
class TxPlButton;

class TDataSentakuBox : public TBSDI, public IProcessForm {
    Q_OBJECT
public:
    // Grid columns by meaning.
    enum Column : int {
        colNo = 0,
        colCode = 1,
        colCloud = 2,
        colName = 3,
        colNendo = 4,
        colKikan = 5,
        colFolder = 6,
        colVersion = 7,
        colLockPic = 8,
        colSharePic = 9,
        colLock = 10,
        colShareTaken = 11,
        colVersionText = 12,
        colUpdateLock = 13,
        colGassan = 14,
        colIndex = 15,
        colChild = 16,
        colStatus = 17,
        colCloudFlag = 18,
        colReadOnly = 19,
        ColumnCount = 20
    };

    explicit TDataSentakuBox(QWidget* parent = nullptr);
    ~TDataSentakuBox() override;

    // IProcessForm.
    std::int32_t Execute(bool modal) override;
    void SetParams(const TProcessParams& params) override;

    // 0-5; above 5 throws std::out_of_range with the range message.
    void SetSyoriType(std::int32_t kind);
    std::uint8_t SyoriType() const { return syoriType_; }
    void PrepareSyoriType(bool modal);

    // The list (grid, filter, sort).
    void InitDataList();
    std::int32_t QueryDataList();
    void FilterDataList();
    void FillGrid(std::int32_t index);
    void FillGridRow(int row, const TDataListRec& rec);
    void FocusLastSelectedRow();
    std::int32_t GetDispIndex(int row) const;
    bool CheckDataUpdate(int row, bool run);
    // 0 local, 1 shared and on the server, 2 shared and taken here.
    static int GetShareState(const TDataListRec& rec);
    const TDataListRec* GetRowRecord(int row) const;
    TDataListRec* GetRowRecord(int row)
    {
        return const_cast<TDataListRec*>(static_cast<const TDataSentakuBox*>(this)->GetRowRecord(row));
    }
    std::string GetRowDataPath(int row) const;
    int GetParentRow(int row) const;

    // Bringing rows back in step with their data folders
    // (TDataSentakuBoxRefresh.cpp). DataListRefresh(-1) refreshes every row,
    // a grid row only that row; it always answers false.
    bool DataListRefresh(int row);
    void SetRowFromDataInfo(TDataListRec& rec, bool blank);
    // Throws std::runtime_error for a row without a registered path.
    void SaveRowRecord(const TDataListRec& rec);
    void SyncChildRows(int row);
    void RemoveChildRows(int row, bool all);
    void ReloadDataList(int topRow, const TDataListRec& rec);
    void btnListUpdateClick();

    // Choosing.
    void F12Click();
    std::int32_t CheckDataFolder(const std::string& folder);
    std::uint8_t CheckDataStatus(const std::string& folder, bool warn, bool box);
    bool IsSelectableRow(int row) const;
    // Makes new data in the chosen empty folder through the process
    // "QvKihonWiz"; its answer (1 made), 0 when the folder is not free.
    std::int32_t CreateNewData(int row);
    void ClearChosenPath();

    // Keys and hints.
    void UpdateFunctionKeys();
    void SetHints();
    void ESCClick();
    void F1Click();
    // F8: the data list on paper or in the preview.
    void PrintDataList();
    void btnSearchClick();
    void btnSearchCancelClick();

    // Data places (connection modes 1 and 2).
    void FillDataPlaceCombo();
    void cmbDataManChange();
    void cmbDataManExit();
    // "設定": the places dialog; the combo follows what was changed there.
    void btnDataManClick();
    std::int32_t DataPlaceNo() const { return dataPlaceNo_; }
    const std::string& DataPlacePath() const { return dataPlacePath_; }
    // Column 8 of a data row: locks or frees the data in the data list.
    void LockColumnClick(int row);

    // Grid handlers.
    void PerfectGrid1CellClick(int row, int col);
    void PerfectGrid1CellGotFocus(int row, int col);
    void PerfectGrid1CellLostFocus(int row, int col);
    void PerfectGrid1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void PerfectGrid1DblClick();
    void IncSerchTimerTimer();

    // What the screen holds, for its callers.
    const TDataKensakuRec& EffectiveConditions() const { return kensaku_; }
    const TDataKensakuRec& ParameterConditions() const { return paramKensaku_; }
    std::int32_t SortColumn() const { return sortCol_; }
    bool SortDescending() const { return sortDesc_ != 0; }
    std::uint8_t CarryMode() const { return carryMode_; }
    const std::string& BackupFolder() const { return backupPath_; }
    const std::vector<std::int32_t>& DisplayList() const { return dispList_; }

    // Controls.
    QWidget* pnlTop;
    QWidget* pnlDataMan;
    QLabel* lblDataMan;
    QComboBox* cmbDataMan;
    TxPlButton* btnDataMan;
    TxPlButton* btnCloudShare;
    TxPlButton* btnKyoyuDataUp;
    TxPlButton* btnKyoyuDataDown;
    TxPlButton* btnSearchCancel;
    TxPlButton* btnSearch;
    TxPlButton* btnDataInfo;
    TxPlButton* btnListUpdate;
    TxCheckBox* cboxKyoyuDataAuto;
    TPerfectGrid* PerfectGrid1;
    QWidget* pnlBottom;
    QPlainTextEdit* HintArea;
    TxPlButton* ESC;
    TxPlButton* F1;
    TxPlButton* F2;
    TxPlButton* F3;
    TxPlButton* F4;
    TxPlButton* F5;
    TxPlButton* F6;
    TxPlButton* F7;
    TxPlButton* F8;
    TxPlButton* F12;
    QLineEdit* txtIncSerch;
    TDataListKensakuBox* DataListKensakuBox = nullptr;  // owned by the form
    TDataPlaceBox* DataPlaceBox = nullptr;              // owned by the form
    QTimer* IncSerchTimer;
    TxAnimeProgressDialog* xAnimeProgressDialog1 = nullptr;  // while the list update runs

public slots:
    void done(int result) override;
    // The close box ends with 2 like Esc, without Esc's cancel flag, so
    // that kind 1 asks whether to quit.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void SetUpGrid();
    void FormCreate();
    bool FormCloseQuery(int& result);
    void FormClose();
    void DataFormKeyUp(int& key, Qt::KeyboardModifiers shift);
    void SortByColumn(int col);
    void SetRowColors(int row);
    void SetShareColumns(int row, const TDataListRec& rec);
    void ChooseDataSet(const TDataListRec& rec, int row);
    void ChooseEmptyPlace(int row);
    std::int32_t GuardedCheckDataFolder(const std::string& folder);
    void RefuseRow(int row, std::int32_t check);
    bool DataFileExists(const std::string& folder) const;
    void WriteFolderState(const std::string& folder, std::uint8_t status);
    // fullOpcode shows the holder's whole operator code, not his number.
    void ShowStatusBox(const std::string& folder, const TDataInfomationRec& info, bool inUseNote,
                       bool fullOpcode = false);
    // The folder's state as the server modes know it: the data list's lock
    // and the server's attachments.
    TDataInfomationRec ReadServerFolderStatus(const std::string& folder) const;
    void SetCaption(TxPlButton* button, const char* caption);
    bool IsBare(const TxPlButton* button) const;
    void RefreshRow(int row);
    TDataSentakuRec* GetLoadedEntry(int row);
    void RefillRow();
    void SetProgressLabel(const QString& text);
    TDataInfomation& DataInfomation();
    // Runs a handler at the edge of an event: nothing thrown gets further.
    template <class F>
    void Guarded(F&& handler)
    {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowUserMessage(error.what(), TMsgDlgType::mtError);
        }
    }

    std::uint8_t syoriType_ = 0;
    bool modal_ = false;
    TProcessParams params_;
    std::string chosenPath_;
    std::string chosenPasName_;
    std::string previousPath_;
    bool cancelled_ = false;
    std::uint8_t carryMode_ = 0;
    std::string backupPath_;
    std::int32_t sortCol_ = -1;
    std::uint8_t sortDesc_ = 0;
    std::int32_t dataPlaceNo_ = 0;
    std::string dataPlacePath_;
    TDataKensakuRec savedKensaku_;
    TDataKensakuRec paramKensaku_;
    TDataKensakuRec kensaku_;
    std::vector<std::int32_t> dispList_;
    int rowCounter_ = 0;
    TDataInfomationRec dataInfo_;
    std::int32_t savedKyoyuAuto_ = 0;
    std::string incSearchText_;
    bool focusLastSelected_ = true;
    std::int32_t keyState_ = 0;
    std::int32_t searchTag_ = 0;
    QString gridHint_;

    std::unique_ptr<TDataSentakuListCtl> listCtl_;
    std::unique_ptr<TDbUpdateCheck> updateCheck_;
    // Made at the first refresh; shared_ptr so that this header needs only
    // the class's name.
    std::shared_ptr<TDataInfomation> dataInfomation_;
    std::unique_ptr<TDataPlaceStore> dataPlaces_;
    QIcon pictures_[3];  // 0 empty, 1 lock, 2 shared
};
