// The data-selection screen: construction, parameters, start and close.
// The list is in TDataSentakuBoxList.cpp, choosing a row in
// TDataSentakuBoxChoose.cpp, the keys and hints in TDataSentakuBoxKeys.cpp.

#include "dataselect/screens/TDataSentakuBox.h"

#include "controls/MessageBox2Info.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dataselect/DataPlaces.h"
#include "dataselect/screens/DataSentakuPictures.h"
#include "dataselect/screens/TDataListKensakuBox.h"
#include "dataselect/screens/TDataPlaceBox.h"
#include "dbupdate/DbUpdateCheck.h"
#include "foundation/DataModule.h"
#include "foundation/HostHooks.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "foundation/SystemSettings.h"
#include "foundation/UserMessage.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdlib>
#include <stdexcept>

namespace {

constexpr const char* RangeMessage = "処理タイプに範囲外の値が設定されました。";
constexpr const char* OtherScreensMessage =
    "メニュー以外の処理が開いています。\r全ての処理を閉じてから処理を実行してください。";
constexpr const char* DeletedMessage = "前回、選択したデータは削除されています。\r";

// Whether a line names the parameter (the text before its "=", ASCII
// letters without regard to case); the value may be empty.
bool HasParam(const TProcessParams& params, std::string_view name)
{
    for (const std::string& line : params) {
        const std::string_view key = std::string_view(line).substr(0, line.find('='));
        if (key.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < key.size() && same; ++i)
            same =
                std::tolower(static_cast<unsigned char>(key[i])) == std::tolower(static_cast<unsigned char>(name[i]));
        if (same)
            return true;
    }
    return false;
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

TxPlButton* PictureButton(const char* name, const char* caption, QWidget* parent, int left, int top)
{
    auto* button = new TxPlButton(QString::fromLatin1(name), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetButtonStyle(bsFlat);
    button->SetCaptionA({QString::fromUtf8(caption)});
    button->setGeometry(left, top, 65, 49);
    return button;
}

TxPlButton* KeyButton(const char* name, QWidget* parent, int left, int top)
{
    auto* button = new TxPlButton(QString::fromLatin1(name), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, 90, 26);
    return button;
}

}  // namespace

TDataSentakuBox::TDataSentakuBox(QWidget* parent) : TBSDI(parent, bsDialog)
{
    setObjectName(QStringLiteral("DataSentakuBox"));
    setWindowTitle(QStringLiteral("データ選択"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    BuildControls();
    try {
        FormCreate();
    } catch (const std::exception& error) {
        // CreatedOK stays false: Execute and the first show report the
        // failed set-up.
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
    }
}

TDataSentakuBox::~TDataSentakuBox()
{
    // The controls go after the list: a focus change while they are
    // destroyed must not reach the key handling any more.
    disconnect(qApp, nullptr, this, nullptr);
}

void TDataSentakuBox::BuildControls()
{
    resize(992, 564);
    setFixedSize(992, 564);

    pnlTop = new QWidget(this);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->setGeometry(0, 0, 992, 436);

    pnlDataMan = new QWidget(pnlTop);
    pnlDataMan->setObjectName(QStringLiteral("pnlDataMan"));
    pnlDataMan->setGeometry(15, 8, 420, 28);
    lblDataMan = new QLabel(QStringLiteral("データの場所:"), pnlDataMan);
    lblDataMan->setGeometry(0, 5, 80, 18);
    cmbDataMan = new QComboBox(pnlDataMan);
    cmbDataMan->setObjectName(QStringLiteral("cmbDataMan"));
    cmbDataMan->setGeometry(82, 2, 260, 24);
    cmbDataMan->setMaxVisibleItems(10);
    cmbDataMan->setAttribute(Qt::WA_InputMethodEnabled, false);
    btnDataMan = new TxPlButton(QStringLiteral("btnDataMan"), pnlDataMan);
    btnDataMan->setObjectName(QStringLiteral("btnDataMan"));
    btnDataMan->SetCaptionA({QStringLiteral("設定")});
    btnDataMan->setGeometry(348, 1, 65, 26);

    cboxKyoyuDataAuto = new TxCheckBox(QStringLiteral("共有データの取得と保管を自動化する"), pnlTop);
    cboxKyoyuDataAuto->setObjectName(QStringLiteral("cboxKyoyuDataAuto"));
    cboxKyoyuDataAuto->setGeometry(15, 40, 300, 20);

    // The picture buttons, right-aligned along the top.
    int left = 976 - 7 * 65 - 6 * 2;
    btnCloudShare = PictureButton("btnCloudShare", "ｸﾗｳﾄﾞ", pnlTop, left, 8);
    btnKyoyuDataUp = PictureButton("btnKyoyuDataUp", "共有保管", pnlTop, left += 67, 8);
    btnKyoyuDataDown = PictureButton("btnKyoyuDataDown", "共有取得", pnlTop, left += 67, 8);
    btnSearchCancel = PictureButton("btnSearchCancel", "検索解除", pnlTop, left += 67, 8);
    btnSearch = PictureButton("btnSearch", "検索", pnlTop, left += 67, 8);
    btnDataInfo = PictureButton("btnDataInfo", "情報", pnlTop, left += 67, 8);
    btnListUpdate = PictureButton("btnListUpdate", "更新", pnlTop, left += 67, 8);
    btnKyoyuDataUp->setEnabled(false);
    btnKyoyuDataDown->setEnabled(false);
    btnSearchCancel->setEnabled(false);

    PerfectGrid1 = new TPerfectGrid(pnlTop);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(15, 64, 961, 368);

    txtIncSerch = new QLineEdit(pnlTop);
    txtIncSerch->setObjectName(QStringLiteral("txtIncSerch"));
    txtIncSerch->setMaxLength(8);
    txtIncSerch->setReadOnly(true);
    txtIncSerch->setFocusPolicy(Qt::NoFocus);
    txtIncSerch->setStyleSheet(QStringLiteral("background: palette(highlight); color: white; font-weight: bold;"));
    txtIncSerch->resize(90, 20);
    txtIncSerch->hide();

    IncSerchTimer = new QTimer(this);
    IncSerchTimer->setObjectName(QStringLiteral("IncSerchTimer"));
    IncSerchTimer->setInterval(0);
    IncSerchTimer->setSingleShot(false);

    pnlBottom = new QWidget(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setGeometry(0, 436, 992, 128);
    HintArea = new QPlainTextEdit(pnlBottom);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setGeometry(15, 4, 961, 65);
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);

    const int keysTop = 84;
    ESC = KeyButton("ESC", pnlBottom, 15, keysTop);
    TxPlButton** keys[] = {&F1, &F2, &F3, &F4, &F5, &F6, &F7, &F8};
    for (int i = 0; i < 8; ++i)
        *keys[i] = KeyButton(("F" + std::to_string(i + 1)).c_str(), pnlBottom, 111 + 96 * i, keysTop);
    F12 = KeyButton("F12", pnlBottom, 886, keysTop);
}

void TDataSentakuBox::FormCreate()
{
    TBSDI::FormCreate();
    CallMenuHook = false;
    SkipOtherScreensCheck = false;
    UseSizeMemory = false;
    ActivateHookValue = 0;
    HintMemo = HintArea;

    syoriType_ = 0;
    sortCol_ = -1;
    sortDesc_ = 0;
    focusLastSelected_ = true;
    dataPlaceNo_ = SystemDef.DataPlaceNo;
    dataPlacePath_ = SystemDef.SYSDIR;

    DataListKensakuBox = new TDataListKensakuBox(this);
    DataListKensakuBox->ListType = 0;
    updateCheck_ = std::make_unique<TDbUpdateCheck>();
    listCtl_ = std::make_unique<TDataSentakuListCtl>();
    listCtl_->SetListMode(ConnectionMode);
    dataPlaces_ = std::make_unique<TDataPlaceStore>();
    DataPlaceBox = new TDataPlaceBox(this);
    for (int i = 0; i < 3; ++i)
        pictures_[i] = DataListPicture(i);

    setWindowTitle(ConnectionMode == 1 ? QStringLiteral("データ選択（サーバー）") : QStringLiteral("データ選択"));
    SetUpGrid();

    // The buttons' own click handling: none of them closes the form by a
    // modal result of its own; F12 closes only when the choice passes.
    ESC->OnClick = [this](QObject*) { Guarded([this] { ESCClick(); }); };
    F1->OnClick = [this](QObject*) { Guarded([this] { F1Click(); }); };
    F8->OnClick = [this](QObject*) { Guarded([this] { PrintDataList(); }); };
    F12->OnClick = [this](QObject*) { Guarded([this] { F12Click(); }); };
    btnSearch->OnClick = [this](QObject*) { Guarded([this] { btnSearchClick(); }); };
    btnSearchCancel->OnClick = [this](QObject*) { Guarded([this] { btnSearchCancelClick(); }); };
    btnListUpdate->OnClick = [this](QObject*) { Guarded([this] { btnListUpdateClick(); }); };
    PerfectGrid1->OnCellClick = [this](int row, int col) { Guarded([=, this] { PerfectGrid1CellClick(row, col); }); };
    PerfectGrid1->OnCellGotFocus = [this](int row, int col) {
        Guarded([=, this] { PerfectGrid1CellGotFocus(row, col); });
    };
    PerfectGrid1->OnCellLostFocus = [this](int row, int col) {
        Guarded([=, this] { PerfectGrid1CellLostFocus(row, col); });
    };
    PerfectGrid1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        Guarded([&, this] { PerfectGrid1KeyDown(key, shift); });
    };
    PerfectGrid1->OnDblClick = [this] { Guarded([this] { PerfectGrid1DblClick(); }); };
    btnDataMan->OnClick = [this](QObject*) { Guarded([this] { btnDataManClick(); }); };
    connect(cmbDataMan, &QComboBox::activated, this, [this] { Guarded([this] { cmbDataManChange(); }); });
    connect(IncSerchTimer, &QTimer::timeout, this, [this] { Guarded([this] { IncSerchTimerTimer(); }); });
    connect(qApp, &QApplication::focusChanged, this, [this] { Guarded([this] { UpdateFunctionKeys(); }); });

    CreatedOK = true;
}

void TDataSentakuBox::SetSyoriType(std::int32_t kind)
{
    if (kind > 5)
        throw std::out_of_range(RangeMessage);
    if (kind >= 0)
        syoriType_ = static_cast<std::uint8_t>(kind);
}

void TDataSentakuBox::SetParams(const TProcessParams& params)
{
    params_ = params;
    const std::int32_t kind = ProcessSyoriType(params, -1);
    if (kind >= 0)
        SetSyoriType(kind);

    // There are no MDI windows: the MDI styles are plain windows.
    setWindowFlag(Qt::WindowStaysOnTopHint, ProcessFormStyle(params) == TProcessFormStyle::StayOnTop);

    DataListKensakuBox->ResetRecord(paramKensaku_);
    if (HasParam(params, "JyokenSet")) {
        paramKensaku_.JYOKENUSE = 1;
        paramKensaku_.DATATYPE = std::atoi(ProcessParamValue(params, "DataType").c_str());
        paramKensaku_.CODETYPE = std::atoi(ProcessParamValue(params, "CodeType").c_str());
        // The last of the three keys in this order decides.
        const std::pair<const char*, std::int32_t> versionKeys[] = {
            {"DataVer", VersionModeEqual}, {"DataVerMajor", VersionModeMajor}, {"DataVerMore", VersionModeAtLeast}};
        for (const auto& [key, mode] : versionKeys) {
            if (!HasParam(params, key))
                continue;
            paramKensaku_.DATAVER = ProcessParamValue(params, key);
            paramKensaku_.DATAVER2.clear();
            paramKensaku_.VERMODE = mode;
        }
        if (ProcessParamValue(params, "ManualFree") == "1")
            KeepOnClose = true;
    }

    carryMode_ = 0;
    backupPath_.clear();
    if (syoriType_ == 5) {
        const std::string carry = ProcessParamValue(params, "OnlySA_Syori");
        if (carry == "Backup")
            carryMode_ = 0;
        else if (carry == "Restore")
            carryMode_ = 1;
        backupPath_ = ProcessParamValue(params, "OnlySA_BackupPath");
    }
}

std::int32_t TDataSentakuBox::Execute(bool modal)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (!modal) {
        show();
        return 1;
    }
    if (MenuCallbackHook && MenuCallbackHook(10, "") > 0) {
        ShowUserMessage(OtherScreensMessage, TMsgDlgType::mtWarning);
        return -1;
    }
    if (!CreatedOK) {
        ShowUserMessage(windowTitle().toStdString() + "画面の初期化に失敗しました。\r処理を終了します。",
                        TMsgDlgType::mtError);
        return -1;
    }
    SetFormPosition(0, 0, 0, 0, 3);
    PrepareSyoriType(true);
    // A form that frees itself on close is gone when exec returns; only the
    // local result is used afterwards.
    const int result = exec();
    return result;
}

void TDataSentakuBox::PrepareSyoriType(bool modal)
{
    modal_ = modal;
    switch (syoriType_) {
    case 2:
        SystemDef.DataSelectResult.clear();
        CallMenuHook = false;
        btnCloudShare->hide();
        if (ConnectionMode == 0) {
            savedKyoyuAuto_ = SystemDef.AutoShareData;
            SystemDef.AutoShareData = 0;
        }
        break;
    case 3:
    case 4:
        btnCloudShare->hide();
        break;
    case 5:
        SystemDef.DataSelectResult.clear();
        CallMenuHook = false;
        break;
    default:
        break;
    }
    InitDataList();
    PositionPending = false;
}

void TDataSentakuBox::showEvent(QShowEvent* event)
{
    TBSDI::showEvent(event);
    Guarded([this] {
        if (!CreatedOK) {
            CheckCreatedOK();
            return;
        }
        if (!isVisible())
            return;
        repaint();
        if (focusLastSelected_)
            FocusLastSelectedRow();
        focusLastSelected_ = true;
        PerfectGrid1->setFocus();
        UpdateFunctionKeys();
    });
}

bool TDataSentakuBox::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the place combo (not for its own drop-down list) takes the
    // place chosen.
    if (watched == cmbDataMan && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        Guarded([this] { cmbDataManExit(); });
    if (event->type() == QEvent::KeyRelease) {
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool focusHere = focus && focus->window() == this;
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (widget && widget->window() == this && widget == (focusHere ? focus : this) && !keyEvent->isAutoRepeat()) {
            int key = keyEvent->key();
            Guarded([&, this] { DataFormKeyUp(key, keyEvent->modifiers()); });
            if (key == 0)
                return true;
        }
    }
    return TBSDI::eventFilter(watched, event);
}

void TDataSentakuBox::done(int result)
{
    int r = result;
    bool close = true;
    Guarded([&, this] { close = FormCloseQuery(r); });
    if (!close) {
        cancelled_ = false;
        setResult(0);
        return;
    }
    Guarded([this] { FormClose(); });
    TBSDI::done(r);
}

void TDataSentakuBox::reject()
{
    done(2);
}

bool TDataSentakuBox::FormCloseQuery(int& result)
{
    if (syoriType_ != 1 && syoriType_ != 3) {
        if (syoriType_ == 2 && DM && !DM->IBDatabaseDAT.Connected() && !SystemDef.DataDir.empty())
            DM->fnAccDatConnected("", SystemDef.DataDir, true);
        return true;
    }
    if (result == 1)
        return true;
    if (syoriType_ == 1 && result == 2 && !cancelled_) {
        result = 3;
        TMessage2InfoRec info;
        InitMessage2Info(3, info);
        info.Lines[0].Text = SystemDef.ProgramTitle + "を終了します。よろしいですか？";
        if (ShowMessageBox2(info) != mrOk) {
            result = 0;
            return false;
        }
        return true;
    }
    // Cancelled: the data chosen before must still be there.
    chosenPath_ = WithoutTrailingSeparator(previousPath_);
    chosenPasName_.clear();
    std::int32_t check = -2;
    try {
        check = CheckDataFolder(chosenPath_);
    } catch (const std::exception&) {
        // An empty previous folder in kind 1 is a refusal like any other.
        check = -2;
    }
    if (check == 0)
        ShowUserMessage(DeletedMessage, TMsgDlgType::mtInformation);
    if (check == 1) {
        SystemDef.DataDir = chosenPath_;
        SystemDef.DataPathRegistered = chosenPasName_;
        return true;
    }
    ClearChosenPath();
    if (syoriType_ == 1) {
        result = 0;
        return false;
    }
    return true;
}

void TDataSentakuBox::FormClose()
{
    savedKensaku_.SORTCOL = sortCol_;
    savedKensaku_.SORTTYPE = sortDesc_;
    if (savedKensaku_.OPCODE != 0)
        DataListKensakuBox->UpdateRecordSortField(savedKensaku_);
    if (syoriType_ == 5)
        return;
    SystemDef.DataPlaceNo = ConnectionMode == 1 || ConnectionMode == 2 ? dataPlaceNo_ : 0;
    if (syoriType_ == 2) {
        CallMenuHook = false;
        if (ConnectionMode == 0)
            SystemDef.AutoShareData = savedKyoyuAuto_;
    } else {
        fnPutSysDef();
    }
}

void TDataSentakuBox::ClearChosenPath()
{
    chosenPath_.clear();
    chosenPasName_.clear();
}
