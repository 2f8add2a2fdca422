#include "dbupdate/screens/TDbUpdateBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "controls/dialogs/TMessageBox2.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "controls/widgets/TxCheckBox.h"
#include "controls/widgets/TxPlButton.h"
#include "dbupdate/IsqlRunner.h"
#include "foundation/AccInfoLoader.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/InstallationNames.h"
#include "foundation/ScreenServices.h"
#include "foundation/SystemDef.h"
#include "foundation/UserMessage.h"
#include "platform/db/JoinedTransaction.h"

#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProgressBar>
#include <QTextEdit>
#include <QTreeWidget>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int RunRefused = 4;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A database drum in the colour of its kind.
QPixmap DatabaseIcon(const QColor& colour)
{
    QPixmap pixmap(33, 33);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(160), 1.2));
    painter.setBrush(colour);
    const QRectF top(5, 3, 23, 8);
    QPainterPath body;
    body.moveTo(5, 7);
    body.lineTo(5, 26);
    body.arcTo(QRectF(5, 22, 23, 8), 180, 180);
    body.lineTo(28, 7);
    body.closeSubpath();
    painter.drawPath(body);
    painter.setBrush(colour.lighter(140));
    painter.drawEllipse(top);
    return pixmap;
}

// The state images: 0 done (a tick), 1 failed (a cross).
QIcon StateIcon(int image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(image == 0 ? QColor(0, 140, 0) : QColor(210, 0, 0), 2.4));
    if (image == 0) {
        painter.drawLine(QPointF(3, 8), QPointF(7, 12));
        painter.drawLine(QPointF(7, 12), QPointF(13, 4));
    } else {
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(pixmap);
}

TxPlButton* MakeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new TxPlButton(name, parent);
    TxPlBtnCaption text = button->CaptionA();
    text.Caption = caption;
    button->SetCaptionA(text);
    return button;
}

void Detach(db::Database& database)
{
    try {
        if (database.Connected())
            database.Detach();
    } catch (const std::exception&) {
        // The next connect closes what is left open.
    }
}

}  // namespace

TDbUpdateBox::TDbUpdateBox(QWidget* owner) : TBSDI(owner, bsDialog)
{
    setObjectName(QStringLiteral("DbUpdateBox"));
    setWindowTitle(QStringLiteral("データベースの更新"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(Scaled(472), Scaled(520));

    ImageRed = new QLabel(this);
    ImageRed->setObjectName(QStringLiteral("ImageRed"));
    ImageRed->setGeometry(Scaled(24), Scaled(16), Scaled(33), Scaled(33));
    ImageRed->setPixmap(DatabaseIcon(QColor(220, 40, 40)));
    ImageRed->hide();
    ImageGrn = new QLabel(this);
    ImageGrn->setObjectName(QStringLiteral("ImageGrn"));
    ImageGrn->setGeometry(ImageRed->geometry());
    ImageGrn->setPixmap(DatabaseIcon(QColor(40, 170, 60)));

    lblTitle1 = new QLabel(QStringLiteral("データの更新を行います。"), this);
    lblTitle1->setObjectName(QStringLiteral("lblTitle1"));
    lblTitle1->setGeometry(Scaled(72), Scaled(28), Scaled(380), Scaled(16));

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(Scaled(16), Scaled(64), Scaled(440), Scaled(249));
    ListView1->setRootIsDecorated(false);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setFocusPolicy(Qt::NoFocus);
    // Grid lines between the cells, the selection kept visible.
    ListView1->setStyleSheet(
        QStringLiteral("QTreeView::item { border-bottom: 1px solid #d0d0d0; border-right: 1px solid #d0d0d0; }"
                       "QTreeView::item:selected { background: #3874d8; color: white; }"));
    ListView1->setColumnCount(0);
    connect(ListView1, &QTreeWidget::currentItemChanged, this, [this] { ListView1SelectItem(); });

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(Scaled(15), Scaled(320), Scaled(442), Scaled(89));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    cboxAgree = new TxCheckBox(QStringLiteral("データの更新に同意します。"), this);
    cboxAgree->setObjectName(QStringLiteral("cboxAgree"));
    cboxAgree->setGeometry(Scaled(16), Scaled(419), Scaled(300), Scaled(18));
    connect(cboxAgree, &QCheckBox::toggled, this, [this] { cboxAgreeClick(); });

    lblTitle2 =
        new QLabel(QStringLiteral("バックアップを取得せずに、この処理を行うと元に戻すことが出来ません。"), this);
    lblTitle2->setObjectName(QStringLiteral("lblTitle2"));
    lblTitle2->setGeometry(Scaled(32), Scaled(442), Scaled(430), Scaled(14));
    lblTitle3 = new QLabel(QStringLiteral("必ずバックアップを取得後に実行することを強く推奨します。"), this);
    lblTitle3->setObjectName(QStringLiteral("lblTitle3"));
    lblTitle3->setGeometry(Scaled(32), Scaled(458), Scaled(430), Scaled(14));

    pnlProgress = new QFrame(this);
    pnlProgress->setObjectName(QStringLiteral("pnlProgress"));
    pnlProgress->setGeometry(Scaled(96), Scaled(192), Scaled(281), Scaled(57));
    pnlProgress->setFrameShape(QFrame::Panel);
    pnlProgress->setFrameShadow(QFrame::Raised);
    pnlProgress->setAutoFillBackground(true);
    Label1 = new QLabel(QStringLiteral("データの更新中です…"), pnlProgress);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Scaled(12), Scaled(8), Scaled(257), Scaled(16));
    ProgressBar1 = new QProgressBar(pnlProgress);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(Scaled(12), Scaled(28), Scaled(257), Scaled(18));
    ProgressBar1->setTextVisible(false);
    pnlProgress->hide();

    btnOk = MakeButton(QStringLiteral("btnOk"), QStringLiteral("OK"), this);
    btnOk->setGeometry(Scaled(280), Scaled(480), Scaled(75), Scaled(26));
    btnOk->OnClick = [this](QObject*) { btnOkClick(); };
    btnCancel = MakeButton(QStringLiteral("btnCancel"), QStringLiteral("キャンセル"), this);
    btnCancel->setGeometry(Scaled(380), Scaled(480), Scaled(75), Scaled(26));
    btnCancel->OnClick = [this](QObject*) { btnCancelClick(); };

    xAnimeProgressDialog1 = new TxAnimeProgressDialog(this);
    xAnimeProgressDialog1->setObjectName(QStringLiteral("xAnimeProgressDialog1"));

    FormCreate();
    UseProcHistory = false;
    UseSizeMemory = false;
    ReloadAccInfo = false;
    F12Button = btnOk;
    FocusF12Button = false;
    KeepOnClose = true;
    CreatedOK = true;
}

TDbUpdateBox::~TDbUpdateBox() = default;

int TDbUpdateBox::Scaled(int value) const
{
    return ScalePPI(value, PixelsPerInch(), 96);
}

void TDbUpdateBox::CheckUpdate(std::uint8_t kind, const std::string& versionText)
{
    ListView1->setColumnCount(3);
    ListView1->setHeaderLabels({QStringLiteral("Ver."), QStringLiteral("説明"), QStringLiteral("状況")});
    ListView1->setColumnWidth(0, Scaled(60));
    ListView1->setColumnWidth(1, Scaled(280));
    ListView1->setColumnWidth(2, Scaled(80));

    btnCancel->setVisible(kind == 1);
    if (kind == 0) {
        ImageRed->show();
        ImageGrn->hide();
        lblTitle1->setText(QStringLiteral("システムデータの更新を行います。"));
        lblTitle2->clear();
        lblTitle3->clear();
        cboxAgree->hide();
        btnOk->move(Scaled(380), btnOk->y());
    } else {
        ImageGrn->show();
        ImageRed->hide();
        lblTitle1->setText(QStringLiteral("会計データの更新を行います。"));
        lblTitle2->setText(QStringLiteral("バックアップを取得せずに、この処理を行うと元に戻すことが出来ません。"));
        lblTitle3->setText(QStringLiteral("必ずバックアップを取得後に実行することを強く推奨します。"));
        for (QLabel* label : {lblTitle2, lblTitle3})
            label->setStyleSheet(QStringLiteral("color: #ff0000;"));
        cboxAgree->show();
        btnOk->move(Scaled(280), btnOk->y());
        btnCancel->move(Scaled(380), btnCancel->y());
    }
    cboxAgreeClick();

    TDbUpdateCheck::CheckUpdate(kind, versionText);
    if (!Pending)
        return;
    ListView1->clear();
    const TArrayDbUpdateListRec& list = CurrentList();
    for (std::int32_t i = FirstPending; i <= LastPending; ++i) {
        const TDbUpdateListRec& entry = list[static_cast<std::size_t>(i)];
        auto* item = new QTreeWidgetItem(ListView1);
        item->setText(0, QStringLiteral("%1.%2.%3").arg(entry.Major).arg(entry.Minor1).arg(entry.Minor2));
        item->setText(1, Q(entry.Title));
        item->setText(2, QString());
    }
    ListView1->setCurrentItem(ListView1->topLevelItem(0));
    ListView1SelectItem();
}

void TDbUpdateBox::ListView1SelectItem()
{
    RichEdit1->clear();
    QTreeWidgetItem* item = ListView1->currentItem();
    if (item == nullptr)
        return;
    const int index = ListView1->indexOfTopLevelItem(item) + FirstPending;
    const TArrayDbUpdateListRec& list = CurrentList();
    if (index < 0 || index >= static_cast<int>(list.size()))
        return;
    // Description lines are separated by single carriage returns.
    RichEdit1->setPlainText(Q(list[static_cast<std::size_t>(index)].Description).replace(QChar('\r'), QChar('\n')));
}

void TDbUpdateBox::cboxAgreeClick()
{
    btnOk->setEnabled(cboxAgree->isHidden() || cboxAgree->isChecked());
}

void TDbUpdateBox::btnCancelClick()
{
    if (runGuard_) {
        // The run goes on to put the backup back; only the update tool's
        // wait ends here.
        RequestIsqlCancel();
        return;
    }
    done(2);
}

void TDbUpdateBox::reject()
{
    btnCancelClick();
}

bool TDbUpdateBox::OthersAttached()
{
    if (Kind == 0) {
        Detach(DM->IBDatabaseDEF);
        if (!DM->AccDatInConnection(0, SystemDef.HOSTNAME, SystemDef.SYSDIR, true))
            return false;
        TMessageInfoRec info;
        InitMessageInfo(info);
        info.Kind = 1;
        info.Caption = "情報";
        info.LabelText =
            "現在、他のオペレータがシステムを利用中です。\rデータベースの更新を行うには、システムを終了するよう"
            "にご連絡して下さい。";
        info.Lines = {"利用中のオペレータ (異常終了時のオペレータ含む)", "", GetLoginOperatorText()};
        info.Position = 4;
        ShowMessageBox(info);
        return true;
    }
    if (DM->IBDatabaseDAT.Connected())
        DM->fnAccDatDisConnected(SystemDef.DataDir, false, false);
    if (!DM->AccDatInConnection(1, SystemDef.HOSTNAME, SystemDef.DataDir, true))
        return false;
    ShowUserMessage(
        "現在、他のオペレータが会計データを利用中です。\rデータベースの更新を行うには、会計データの利用を"
        "停止するようにご連絡して下さい。",
        TMsgDlgType::mtInformation, {TMsgDlgBtn::mbYes});
    return true;
}

std::string TDbUpdateBox::GetLoginOperatorText()
{
    std::string text;
    if (Kind != 0)
        return text;
    try {
        if (DM->fnAccDefConnected(SystemDef.HOSTNAME, false)) {
            db::JoinedTransaction joined(DM->IBTransactionDEF);
            // A logon row's OPCODE is the group's number times 10000 plus the
            // operator's code (what SystemDef.OPCODE holds); the operator
            // table knows the operator by the plain code, OPERATORCODE.
            db::Query query(DM->IBDatabaseDEF, DM->IBTransactionDEF,
                            "SELECT L.OPERATORCODE,L.PCNAME,O.OPNAME FROM LOGONUSERLIST L "
                            "INNER JOIN OPERATOR O ON(L.GROUPID=O.GROUPID AND L.OPERATORCODE=O.OPCODE) "
                            "WHERE L.GROUPID=:GROUPID AND L.OPCODE<>:OPCODE "
                            "GROUP BY L.OPERATORCODE,L.PCNAME,O.OPNAME ORDER BY L.OPERATORCODE");
            query.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
            query.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
            for (query.Open(); !query.Eof(); query.Next()) {
                char code[32];
                std::snprintf(code, sizeof code, "[ %.4d ]:  ", query.FieldByIndex(0).AsInteger());
                text += code + query.FieldByIndex(2).AsString() + "\r";
            }
            query.Close();
            joined.Commit();
        }
    } catch (const std::exception&) {
        // The refusal stands without the list.
    }
    Detach(DM->IBDatabaseDEF);
    return text;
}

void TDbUpdateBox::btnOkClick()
{
    if (runGuard_)
        return;
    runGuard_ = true;
    setResult(RunRefused);
    errorInfo_ = {};
    failedVersion_.clear();
    int result = RunRefused;
    try {
        if (!OthersAttached()) {
            TDbUpdateRun run(*this, *this);
            try {
                run.ExecUpdate();
            } catch (const std::exception& error) {
                Succeeded = false;
                errorInfo_ = {1, "", "", "データベースの更新に失敗しました。", error.what()};
            }
            if (errorInfo_.Message.empty())
                errorInfo_ = run.ErrorInfo;
            backupFileName_ = run.BackupFileName;
            backupKept_ = run.BackupKept;
            failedVersion_ = run.FailedVersion;
            std::error_code ec;
            if (!backupKept_ && !backupFileName_.empty())
                std::filesystem::remove(backupFileName_, ec);
            if (!Succeeded) {
                InitMessage2Info(1, FailureMessage);
                FailureMessage.Lines[0].Text =
                    Kind == 0 ? "システムデータの更新に失敗しました。" : "会計データの更新に失敗しました。";
                // The message names the update that failed, also when the
                // restore after it succeeded and left no error text.
                int line = 1;
                if (!errorInfo_.Message.empty() || !failedVersion_.empty())
                    FailureMessage.Lines[line++].Text = "[エラー内容]";
                if (!failedVersion_.empty())
                    FailureMessage.Lines[line++].Text = "Ver " + failedVersion_ + "のデータベース更新に失敗しました。";
                if (!errorInfo_.Message.empty()) {
                    FailureMessage.Lines[line++].Text = errorInfo_.Message;
                    FailureMessage.Lines[line].Text = errorInfo_.Detail;
                }
                ShowMessageBox2(FailureMessage);
            } else {
                result = 1;
            }
        }
    } catch (const std::exception& error) {
        ShowErrorMessage("データベースの更新に失敗しました。", error.what(), TMsgDlgType::mtError);
    }
    Reconnect();
    runGuard_ = false;
    done(result);
}

void TDbUpdateBox::Reconnect()
{
    try {
        if (Kind == 0) {
            if (!DM->IBDatabaseDEF.Connected())
                DM->fnAccDefConnected(SystemDef.HOSTNAME, true);
            return;
        }
        if (!DM->IBDatabaseDAT.Connected())
            DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false);
        // Rewriting the information file and the data-list row gives them
        // the new version.
        DM->fnAccDatDisConnected(SystemDef.DataDir, true, true);
        if (DM->fnAccDatConnected(SystemDef.HOSTNAME, SystemDef.DataDir, false))
            ::ReloadAccInfo();
    } catch (const std::exception& error) {
        ShowErrorMessage("データベースの接続に失敗しました。", error.what(), TMsgDlgType::mtError);
    }
}

void TDbUpdateBox::OpenProgressWindow(const std::string& caption, const std::string& info)
{
    xAnimeProgressDialog1->SetCaption(Q(caption));
    xAnimeProgressDialog1->SetInfoLabel(Q(info));
    xAnimeProgressDialog1->SetAviFile(Q(SystemDef.ProgramDir + "/progress.avi"));
    xAnimeProgressDialog1->CancelBtnShow = false;
    xAnimeProgressDialog1->ShowProgressDialog(this);
}

void TDbUpdateBox::CloseProgressWindow()
{
    xAnimeProgressDialog1->CloseProgressDialog();
    raise();
    activateWindow();
    show();
}

void TDbUpdateBox::ShowRunProgress(std::int32_t count)
{
    ProgressBar1->setRange(0, count);
    ProgressBar1->setValue(0);
    pnlProgress->show();
    pnlProgress->raise();
    DelayMSec(0);
}

void TDbUpdateBox::StepRunProgress()
{
    ProgressBar1->setValue(ProgressBar1->value() + 1);
}

void TDbUpdateBox::HideRunProgress()
{
    pnlProgress->hide();
    QApplication::restoreOverrideCursor();
}

void TDbUpdateBox::SetItemState(std::int32_t item, std::int32_t result)
{
    QTreeWidgetItem* row = ListView1->topLevelItem(item);
    if (row == nullptr)
        return;
    row->setText(2, Q(UpdateStateText(result)));
    row->setIcon(2, StateIcon(result == UpdateResultOk ? 0 : 1));
    DelayMSec(0);
}
