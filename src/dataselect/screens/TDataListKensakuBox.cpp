#include "dataselect/screens/TDataListKensakuBox.h"

#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxComboBox.h"
#include "controls/widgets/TxEdit.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/SystemDef.h"
#include "platform/Registry.h"

#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int FormWidth = 524;
constexpr int FormHeight = 360;

// The data kinds offered, in combo order, with the kinds they stand for.
struct TDataKbn {
    const char* Name;
    std::int32_t DataType;
    std::int32_t CodeType;
};
constexpr TDataKbn DataKbns[] = {{"選択なし", 0, 0},     {"法人", 1, 1},     {"個人(一般)", 2, 1},
                                 {"個人(不動産)", 2, 2}, {"医療法人", 3, 1}, {"個人(クリニック)", 2, 3},
                                 {"個人(農業)", 2, 4}};

struct THint {
    const char* Control;
    const char* Hint;
};
constexpr THint Hints[] = {
    {"cmbDataKbn",
     "選択した区分に該当するデータを抽出して表示します。|選択した区分に該当するデータを抽出して表示します。"},
    {"txtCode",
     "入力したコードを前方一致（先頭一致）で抽出して表示します。|入力したコード前方一致（先頭一致）で抽出して表示します。"},
    {"txtListName", "入力した文字を含むデータを抽出して表示します。|入力した文字を含むデータを抽出して表示します。"},
    {"cmbTanto",
     "選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。|選択したｵﾍﾟﾚｰﾀが担当するデータを抽出して表示します。"},
    {"cmbDataVer", "選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。| 選択したﾊﾞｰｼﾞｮﾝのデータを抽出して表示します。"},
    {"cboxYukou",
     "ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。| ここで設定した条件に該当するデータだけを常時表示させる場合にﾁｪｯｸします。"},
    {"btnOK", "設定した条件に該当するデータを表示します。| 設定した条件に該当するデータを表示します。"},
    {"btnCancel", "データの検索を中止します。| データの検索を中止します。"},
};

QLabel* Caption(const char* name, const char* text, QWidget* parent, int top)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(24, top + 3, 120, 18);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

TxComboBox* DropDownList(const char* name, QWidget* parent, int top, int width)
{
    auto* combo = new TxComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(false);
    combo->setGeometry(152, top, width, 24);
    return combo;
}

TxEdit* Edit(const char* name, QWidget* parent, int top, int width, int maxLength)
{
    auto* edit = new TxEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(152, top, width, 24);
    edit->setMaxLength(maxLength);
    return edit;
}

TxPlButton* DialogButton(const char* name, const char* caption, int modalResult, QWidget* parent, int left)
{
    auto* button = new TxPlButton(QString::fromLatin1(name), parent);
    button->setObjectName(QString::fromLatin1(name));
    TxPlBtnCaption text = button->CaptionA();
    text.Caption = QString::fromUtf8(caption);
    button->SetCaptionA(text);
    button->ModalResult = modalResult;
    button->setGeometry(left, FormHeight - 48, 100, 32);
    return button;
}

// The leading entry of both lists: no operator, no edition.
constexpr const char* NoneLabel = "選択なし";

}  // namespace

TDataListKensakuBox::TDataListKensakuBox(QWidget* owner)
    : TBSDI(owner, bsDialog), records_(std::make_unique<TDataListKensakuRecords>())
{
    setObjectName(QStringLiteral("DataListKensakuBox"));
    setWindowTitle(QStringLiteral("検索条件の設定"));
    setFixedSize(FormWidth, FormHeight);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(12, 12, FormWidth - 24, FormHeight - 76);

    lblCode = Caption("lblCode", "コード:", GroupBox1, 24);
    txtCode = Edit("txtCode", GroupBox1, 24, 100, 8);
    txtCode->SetImeMode(imDisable);
    lblDataKbn = Caption("lblDataKbn", "データ区分:", GroupBox1, 68);
    cmbDataKbn = DropDownList("cmbDataKbn", GroupBox1, 68, 180);
    lblListName = Caption("lblListName", "データリスト名:", GroupBox1, 112);
    // Names are typed in Japanese: the edit leaves the input method on.
    txtListName = Edit("txtListName", GroupBox1, 112, 300, 40);
    lblTanto = Caption("lblTanto", "担当者:", GroupBox1, 156);
    cmbTanto = DropDownList("cmbTanto", GroupBox1, 156, 240);
    lblDataVer = Caption("lblDataVer", "データバージョン:", GroupBox1, 200);
    cmbDataVer = DropDownList("cmbDataVer", GroupBox1, 200, 180);
    cboxYukou = new TxCheckBox(QStringLiteral("この検索条件を毎回有効にする"), GroupBox1);
    cboxYukou->setObjectName(QStringLiteral("cboxYukou"));
    cboxYukou->setGeometry(152, 244, 300, 22);

    btnOK = DialogButton("btnOK", "OK", 0, this, FormWidth - 224);
    btnOK->OnClick = [this](QObject*) { btnOKClick(); };
    btnCancel = DialogButton("btnCancel", "キャンセル", 2, this, FormWidth - 112);
    btnCancel->Cancel = true;

    FormCreate();
    CallMenuHook = false;
    SkipOtherScreensCheck = true;
    UseSizeMemory = false;
    ActivateHookValue = 0;
    KeepOnClose = true;
    F12Button = btnOK;

    for (const TDataKbn& kbn : DataKbns)
        cmbDataKbn->addItem(QString::fromUtf8(kbn.Name));
    userList_.LeadingLabel = NoneLabel;
    userList_.GroupId = SystemDef.GROUPID;
    userList_.Execute();
    for (const std::string& line : userList_.Lines)
        cmbTanto->addItem(QString::fromStdString(line));
    seihinList_.LeadingName = NoneLabel;
    try {
        seihinList_.BuildSeihinVersionList(0);
    } catch (const RegistryError&) {
        // An unreadable registry store leaves the editions this program knows.
    }
    for (const std::string& name : seihinList_.Names)
        cmbDataVer->addItem(QString::fromStdString(name));
    CreatedOK = true;
}

TDataListKensakuBox::~TDataListKensakuBox() = default;

int TDataListKensakuBox::DataKbnIndex(std::int32_t dataType, std::int32_t codeType)
{
    if (dataType == 1)
        return 1;
    if (dataType == 3)
        return 4;
    if (dataType == 2) {
        switch (codeType) {
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return 5;
        case 4:
            return 6;
        default:
            break;
        }
    }
    return 0;
}

void TDataListKensakuBox::DataKbnKinds(int index, std::int32_t& dataType, std::int32_t& codeType)
{
    const bool known = index >= 0 && index < static_cast<int>(std::size(DataKbns));
    dataType = known ? DataKbns[index].DataType : 0;
    codeType = known ? DataKbns[index].CodeType : 0;
}

void TDataListKensakuBox::LoadHints()
{
    for (const THint& hint : Hints)
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(hint.Control)))
            control->setToolTip(QString::fromUtf8(hint.Hint));
}

void TDataListKensakuBox::SetDataListKensakuMode(std::uint8_t mode)
{
    mode_ = mode;
    LoadHints();
    cmbDataKbn->setCurrentIndex(DataKbnIndex(Record.DATATYPE, Record.CODETYPE));
    txtCode->setText(QString::fromStdString(Record.DATACODE));
    txtListName->setText(QString::fromStdString(Record.DATANAME));
    cmbTanto->setCurrentIndex(std::max(0, userList_.IndexOfOpCode(Record.TANTO)));
    cmbDataVer->setCurrentIndex(std::max(0, seihinList_.IndexOfSeihinName(Record.SEIHINNAME)));
    cboxYukou->setChecked(Record.JYOKENUSE != 0);
    PositionPending = true;
}

void TDataListKensakuBox::reject()
{
    done(btnCancel->ModalResult);
}

void TDataListKensakuBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    txtCode->setFocus();
}

void TDataListKensakuBox::btnOKClick()
{
    DataKbnKinds(cmbDataKbn->currentIndex(), Record.DATATYPE, Record.CODETYPE);
    Record.DATACODE = txtCode->text().toStdString();
    Record.DATANAME = txtListName->text().toStdString();
    Record.TANTO = userList_.GetUserOpCode(cmbTanto->currentIndex());
    const int edition = cmbDataVer->currentIndex();
    Record.DATAVER = seihinList_.GetSeihinVersionStr(edition);
    Record.DATAVER2.clear();
    Record.VERMODE = VersionModeEqual;
    Record.SEIHINNAME = seihinList_.GetSeihinName(edition);
    Record.JYOKENUSE = cboxYukou->isChecked() ? 1 : 0;
    done(1);
}

void TDataListKensakuBox::ResetRecord(TDataKensakuRec& rec)
{
    records_->ListType = ListType;
    records_->ResetRecord(rec);
}

bool TDataListKensakuBox::SelectRecord(TDataKensakuRec& rec)
{
    records_->ListType = ListType;
    return records_->SelectRecord(rec);
}

std::int32_t TDataListKensakuBox::UpdateRecord(const TDataKensakuRec& rec)
{
    return records_->UpdateRecord(rec);
}

std::int32_t TDataListKensakuBox::UpdateRecordSortField(const TDataKensakuRec& rec)
{
    return records_->UpdateRecordSortField(rec);
}
