#pragma once
// "検索条件の設定": edits one operator's search conditions of a data list
// (list type 0 the data-selection list, 1 the shared data list) and reads
// and writes them through the list's condition store.
//
// The owner keeps one instance for its lifetime: it sets ListType, copies
// its stored conditions into Record, calls SetDataListKensakuMode and shows
// the dialog modally; on result 1 Record holds the edited conditions.
// Cancel (result 2) leaves Record as it was. Closing only hides the dialog.

#include "controls/widgets/TBSDI.h"
#include "dataselect/DataKensakuRec.h"
#include "foundation/SeihinVersionList.h"
#include "foundation/UserList.h"

#include <cstdint>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class TxCheckBox;
class TxComboBox;
class TxEdit;
class TxPlButton;

class TDataListKensakuBox : public TBSDI {
    Q_OBJECT
public:
    explicit TDataListKensakuBox(QWidget* owner = nullptr);
    ~TDataListKensakuBox() override;

    std::int32_t ListType = 0;
    TDataKensakuRec Record;

    // Stores the mode, loads the hints and shows Record in the controls.
    void SetDataListKensakuMode(std::uint8_t mode);
    std::uint8_t Mode() const { return mode_; }

    // rec: the logged-on operator, ListType, everything else 0 or empty.
    void ResetRecord(TDataKensakuRec& rec);
    // The stored conditions of the logged-on operator for ListType.
    bool SelectRecord(TDataKensakuRec& rec);
    std::int32_t UpdateRecord(const TDataKensakuRec& rec);
    std::int32_t UpdateRecordSortField(const TDataKensakuRec& rec);

    void btnOKClick();

    // Data kind combo index <-> DATATYPE and CODETYPE.
    static int DataKbnIndex(std::int32_t dataType, std::int32_t codeType);
    static void DataKbnKinds(int index, std::int32_t& dataType, std::int32_t& codeType);

    QGroupBox* GroupBox1;
    QLabel* lblCode;
    TxEdit* txtCode;
    QLabel* lblDataKbn;
    TxComboBox* cmbDataKbn;
    QLabel* lblListName;
    TxEdit* txtListName;
    QLabel* lblTanto;
    TxComboBox* cmbTanto;
    QLabel* lblDataVer;
    TxComboBox* cmbDataVer;
    TxCheckBox* cboxYukou;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

public slots:
    // Esc is the Cancel button: the dialog ends with its result 2.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadHints();

    std::uint8_t mode_ = 0;
    std::unique_ptr<TDataListKensakuRecords> records_;
    TUserList userList_;
    TSeihinVersionList seihinList_;
};
