#include "dataselect/screens/TDataPlaceBox.h"

#include "controls/dialogs/TInputDlgBox.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <exception>
#include <utility>

namespace {

constexpr int FormWidth = 691;
constexpr int FormHeight = 437;
constexpr const char* NoNameMessage = "名称が入力されていません。";

TxPlButton* SideButton(const char* name, const char* caption, QWidget* parent, int top)
{
    auto* button = new TxPlButton(QString::fromLatin1(name), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaptionA({QString::fromUtf8(caption)});
    button->setGeometry(548, top, 130, 28);
    return button;
}

void SetCaption(TxPlButton* button, const char* caption)
{
    button->SetCaptionA({QString::fromUtf8(caption)});
}

bool IsBare(const TxPlButton* button)
{
    return button->CaptionA().Caption.endsWith(QLatin1Char(':'));
}

}  // namespace

template <class F>
void TDataPlaceBox::Guarded(F&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
    }
}

TDataPlaceBox::TDataPlaceBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("DataPlaceBox"));
    setWindowTitle(QStringLiteral("データの場所の設定"));
    setFixedSize(FormWidth, FormHeight);

    PerfectGrid1 = new TPerfectGrid(this);
    PerfectGrid1->setObjectName(QStringLiteral("PerfectGrid1"));
    PerfectGrid1->setGeometry(12, 12, 522, 289);
    PerfectGrid1->SetCols(3);
    PerfectGrid1->SetColWidth(-1, 0);
    const std::pair<const char*, int> columns[] = {{"No", 40}, {"名称", 230}, {"フォルダパス", 230}};
    for (int col = 0; col < 3; ++col) {
        PerfectGrid1->SetHeaderText(col, QString::fromUtf8(columns[col].first));
        PerfectGrid1->SetColWidth(col, columns[col].second);
        PerfectGrid1->SetColAlignment(col, col == 0 ? 1 : 0);
        PerfectGrid1->SetHeaderAlignment(col, 2);
    }
    PerfectGrid1->AllowSelCol = false;
    PerfectGrid1->AllowSelRow = false;

    F1 = SideButton("F1", "F1:ヘルプ", this, 12);
    F1->hide();
    F2 = SideButton("F2", "F2:新規作成", this, 12);
    F3 = SideButton("F3", "F3:名称変更", this, 46);
    F5 = SideButton("F5", "F5:削除", this, 80);
    F6 = SideButton("F6", "上へ", this, 134);
    F7 = SideButton("F7", "下へ", this, 168);
    btnOK = SideButton("btnOK", "閉じる", this, 273);
    btnOK->ModalResult = 1;
    btnCancel = SideButton("btnCancel", "キャンセル", this, 239);
    btnCancel->ModalResult = 2;
    btnCancel->hide();

    HintArea = new QPlainTextEdit(this);
    HintArea->setObjectName(QStringLiteral("HintArea"));
    HintArea->setGeometry(12, 312, FormWidth - 24, FormHeight - 324);
    HintArea->setReadOnly(true);
    HintArea->setFocusPolicy(Qt::NoFocus);

    InputDlg = new TInputDlgBox(this);

    FormCreate();
    CallMenuHook = false;
    SkipOtherScreensCheck = true;
    UseSizeMemory = false;
    KeepOnClose = true;
    HintMemo = HintArea;
    SetPerfectGridColors(PerfectGrid1, 0);

    F2->OnClick = [this](QObject*) { Guarded([this] { F2Click(); }); };
    F3->OnClick = [this](QObject*) { Guarded([this] { F3Click(); }); };
    F5->OnClick = [this](QObject*) { Guarded([this] { F5Click(); }); };
    F6->OnClick = [this](QObject*) { Guarded([this] { F6Click(); }); };
    F7->OnClick = [this](QObject*) { Guarded([this] { F7Click(); }); };
    PerfectGrid1->OnCellGotFocus = [this](int, int) { Guarded([this] { UpdateFunctionKeys(); }); };
    CreatedOK = true;
}

TDataPlaceBox::~TDataPlaceBox() = default;

void TDataPlaceBox::LoadHints()
{
    // The standard place is the data root; editions 1 and 2 name the
    // configured server data folder instead.
    const std::string standard = (EditionFlag == 1 || EditionFlag == 2) && !AppInfo.Zaimu.ServerDir.empty()
                                     ? AppInfo.Zaimu.ServerDir
                                     : SystemDef.SYSDIR;
    PerfectGrid1->setToolTip(QString::fromStdString(
        "データ管理フォルダの情報を管理します。|[F2]で新規作成、[F3]で名称変更、[F5]で削除します。（例外：\"" +
        standard + "\"行の削除は禁止）\r\n[上へ][下へ]でリストの並べ替えが行えます。"));
    btnOK->setToolTip(QStringLiteral("内容を登録して画面を閉じます。|内容を登録して画面を閉じます。"));
    btnCancel->setToolTip(QStringLiteral("画面を閉じます。|画面を閉じます。"));
}

void TDataPlaceBox::SetDataPlaceMode(std::uint8_t mode)
{
    mode_ = mode;
    LoadHints();
    places_.LoadPlaces(false);
    FillGrid();
    const int row = places_.IndexOfDataPlaceRec(SystemDef.DataPlaceNo);
    if (PerfectGrid1->Rows() > 0)
        PerfectGrid1->MoveCursor(row < 0 ? 0 : row, 0);
    UpdateFunctionKeys();
    PositionPending = true;
}

void TDataPlaceBox::FillGrid()
{
    PerfectGrid1->DeleteRows(0, PerfectGrid1->Rows());
    PerfectGrid1->InsertRows(0, static_cast<int>(places_.List.size()));
    for (int row = 0; row < PerfectGrid1->Rows(); ++row)
        FillRow(row);
}

void TDataPlaceBox::FillRow(int row)
{
    const TDataPlaceRec& place = places_.List.at(static_cast<std::size_t>(row));
    PerfectGrid1->SetCellValue(row, -1, place.REC);
    PerfectGrid1->SetCellText(row, 0, QString::number(row + 1));
    PerfectGrid1->SetCellText(row, 1, QString::fromStdString(place.NAME));
    PerfectGrid1->SetCellText(row, 2, QString::fromStdString(place.PATH));
}

TDataPlaceRec* TDataPlaceBox::CurrentPlace()
{
    const int row = PerfectGrid1->CurRow();
    if (row < 0 || row >= static_cast<int>(places_.List.size()))
        return nullptr;
    return &places_.List[static_cast<std::size_t>(row)];
}

void TDataPlaceBox::UpdateFunctionKeys()
{
    const TDataPlaceRec* place = CurrentPlace();
    const bool named = place && !place->NAME.empty();
    SetCaption(F2, place && !named ? "F2:新規作成" : "F2:");
    SetCaption(F3, named ? "F3:名称変更" : "F3:");
    SetCaption(F5, named && place->REC != 0 ? "F5:削除" : "F5:");
    const int row = PerfectGrid1->CurRow();
    const int last = PerfectGrid1->Rows() - 1;
    F6->setEnabled(row > 0 && row <= last);
    F7->setEnabled(row >= 0 && row < last);
}

bool TDataPlaceBox::AskName(const char* caption, const char* prompt, const char* hint, std::string& name)
{
    InputDlg->InputKind = 0;
    InputDlg->DlgCaption = caption;
    InputDlg->Prompt = prompt;
    InputDlg->PromptColor = QApplication::palette().color(QPalette::WindowText);
    InputDlg->Value = name;
    // The column holds 20 characters; 20 bytes never exceed that.
    InputDlg->MaxInputLength = 20;
    InputDlg->InputImeMode = imDontCare;
    InputDlg->Required = true;
    InputDlg->CharFilter = 0;
    InputDlg->InputHint = hint;
    InputDlg->SetupInputDlg(true);
    if (InputDlg->exec() != 1)
        return false;
    name = TrimZen(InputDlg->Value);
    if (name.empty()) {
        ShowUserMessage(NoNameMessage, TMsgDlgType::mtInformation);
        return false;
    }
    return true;
}

void TDataPlaceBox::SaveChanges()
{
    places_.SaveChanges();
}

void TDataPlaceBox::F2Click()
{
    TDataPlaceRec* place = CurrentPlace();
    if (IsBare(F2) || !place)
        return;
    std::string name;
    if (!AskName("新規作成", "新しく作成するデータ管理フォルダの名称を入力して下さい。",
                 "新しく作成するデータ管理フォルダの名称を入力します。", name))
        return;
    if (DM->ServerDirExists(place->PATH, ConnectionMode)) {
        ShowUserMessage("既にデータサーバーにフォルダが作成されています。", TMsgDlgType::mtInformation);
    } else if (!DM->ServerMkDir(place->PATH, ConnectionMode)) {
        ShowUserMessage("データサーバーへフォルダの作成に失敗しました。", TMsgDlgType::mtInformation);
        return;
    }
    place->NAME = name;
    place->State = TDataPlaceStore::StateNamed;
    PerfectGrid1->SetCellText(PerfectGrid1->CurRow(), 1, QString::fromStdString(name));
    SaveChanges();
    UpdateFunctionKeys();
}

void TDataPlaceBox::F3Click()
{
    TDataPlaceRec* place = CurrentPlace();
    if (IsBare(F3) || !place)
        return;
    std::string name = place->NAME;
    if (!AskName("名称の変更", "データ管理フォルダの名称を入力して下さい。",
                 "データ管理フォルダの管理名称を変更します。", name))
        return;
    place->NAME = name;
    place->State = TDataPlaceStore::StateChanged;
    PerfectGrid1->SetCellText(PerfectGrid1->CurRow(), 1, QString::fromStdString(name));
    SaveChanges();
    UpdateFunctionKeys();
}

void TDataPlaceBox::F5Click()
{
    TDataPlaceRec* place = CurrentPlace();
    if (IsBare(F5) || !place)
        return;
    if (places_.IsPlaceInUse(place->REC)) {
        ShowUserMessage(
            "このフォルダ配下には会計データが存在しているため削除することが出来ません。\r"
            "どうしても削除を行いたい場合は、配下の会計データをすべて削除してから処理して下さい。",
            TMsgDlgType::mtInformation);
        return;
    }
    if (ShowUserMessage("[" + place->NAME + "]を削除します。よろしいですか？", TMsgDlgType::mtConfirmation,
                        {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}) != mrOk)
        return;
    place->NAME.clear();
    place->State = TDataPlaceStore::StateDeleted;
    PerfectGrid1->SetCellText(PerfectGrid1->CurRow(), 1, QString());
    SaveChanges();
    UpdateFunctionKeys();
}

void TDataPlaceBox::F6Click()
{
    MoveRow(-1);
}

void TDataPlaceBox::F7Click()
{
    MoveRow(1);
}

void TDataPlaceBox::MoveRow(int by)
{
    const int row = PerfectGrid1->CurRow();
    const int target = row + by;
    const int rows = PerfectGrid1->Rows();
    if (rows < 2 || row < 0 || row >= rows || target < 0 || target >= rows)
        return;
    std::swap(places_.List[static_cast<std::size_t>(row)], places_.List[static_cast<std::size_t>(target)]);
    for (int r = 0; r < rows; ++r) {
        TDataPlaceRec& place = places_.List[static_cast<std::size_t>(r)];
        if (place.ORDERKBN != r + 1) {
            place.ORDERKBN = r + 1;
            place.State = TDataPlaceStore::StateChanged;
        }
    }
    FillRow(row);
    FillRow(target);
    PerfectGrid1->MoveCursor(target, PerfectGrid1->CurCol() < 0 ? 0 : PerfectGrid1->CurCol());
    SaveChanges();
    UpdateFunctionKeys();
}

void TDataPlaceBox::reject()
{
    done(2);
}

bool TDataPlaceBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (widget && widget == QApplication::focusWidget() && widget->window() == this && !keyEvent->isAutoRepeat()) {
            switch (keyEvent->key()) {
            case Qt::Key_F2:
                Guarded([this] { F2Click(); });
                return true;
            case Qt::Key_F3:
                Guarded([this] { F3Click(); });
                return true;
            case Qt::Key_F5:
                Guarded([this] { F5Click(); });
                return true;
            case Qt::Key_F4:
            case Qt::Key_F6:
            case Qt::Key_F7:
            case Qt::Key_F8:
            case Qt::Key_F12:
                return true;
            default:
                break;
            }
        }
    }
    return TBSDI::eventFilter(watched, event);
}
