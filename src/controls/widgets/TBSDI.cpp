#include "controls/widgets/TBSDI.h"

#include "calc/FiscalDates.h"
#include "controls/widgets/TLedrixExDateEdit.h"
#include "controls/widgets/TPerfectGrid.h"
#include "controls/widgets/VclColors.h"
#include "foundation/ProgramGlobals.h"
#include "controls/widgets/TxKikanPanel12.h"
#include "controls/widgets/TxKikanPanel16.h"
#include "controls/widgets/TxKikanPanel4.h"
#include "controls/widgets/TxPlButton.h"
#include "foundation/AccInfoLoader.h"
#include "foundation/SettingsRecords.h"
#include "foundation/SystemDef.h"
#include "foundation/AccInf.h"
#include "foundation/HostHooks.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/QueryFactory.h"
#include "foundation/StringUtils.h"
#include "foundation/ScreenServices.h"
#include "foundation/UserMessage.h"
#include "platform/AsciiText.h"
#include "platform/DateTime.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeView>

#include <cmath>
#include <stdexcept>

namespace {

constexpr const char* kSelectSizeSql =
    "SELECT FMTOP,FMLEFT,FMHEIGHT,FMWIDTH FROM FORMRSIZE\r\n"
    "WHERE FMNAME=:FMNAME AND OPCODE=:OPCODE";
constexpr const char* kInsertSizeSql =
    "INSERT INTO FORMRSIZE\r\n"
    "VALUES(:OPCODE ,:FNAME,:TOP,:LEFT,:HEIGHT,:WIDTH,:DEFHEIGHT,:DEFWIDTH)";
constexpr const char* kUpdateSizeSql =
    "UPDATE FORMRSIZE SET FMTOP=:FMTOP,FMLEFT=:FMLEFT,FMHEIGHT=:FMHEIGHT,FMWIDTH=:FMWIDTH\r\n"
    "WHERE OPCODE=:OPCODE AND FMNAME=:FMNAME";
constexpr const char* kHistoryDeleteSql = "EXECUTE PROCEDURE OPINF_DELETE(:OPCODE,:JOBNAME,:STATE)";
constexpr const char* kHistoryInsertSql =
    "INSERT INTO OPINF(OPCODE,JOBNAME,PCNAME,OPENTIME)\r\n"
    "VALUES(:OPCODE,:JOBNAME,:PCNAME,:OPENTIME)";
// Widths of OPINF's text columns: texts are cut to them, not refused.
constexpr int kJobNameBytes = 40;
constexpr int kPcNameBytes = 64;

QPointer<QWidget>& MainFormPointer()
{
    static QPointer<QWidget> form;
    return form;
}

// Windows' MulDiv: a × b / c rounded half away from zero.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

int ScreenPPI()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

QFont FontOf(const TFontInfo& info, const QFont& fallback)
{
    if (info.Name.empty() || info.Size <= 0)
        return fallback;
    QFont font(QString::fromStdString(info.Name));
    font.setPointSize(info.Size);
    font.setBold((info.Style & 1) != 0);
    font.setItalic((info.Style & 2) != 0);
    font.setUnderline((info.Style & 4) != 0);
    font.setStrikeOut((info.Style & 8) != 0);
    return font;
}

// The point size a settings font stands for; the form's own when unset.
int PointSizeOf(const TFontInfo& info, const QFont& fallback)
{
    return info.Size > 0 ? info.Size : fallback.pointSize();
}

std::string Cut(const QString& text, int bytes)
{
    return std::string(ascii::TrimBlanks(FixLenStrL(text.toStdString(), bytes)));
}

// Plain containers hold the form's own controls; any other widget is a
// control whose inner widgets are its own business (the cells of a period
// selector, the boxes of a date edit) and lays them out itself.
bool IsContainer(const QWidget* w)
{
    const char* name = w->metaObject()->className();
    return qstrcmp(name, "QWidget") == 0 || qstrcmp(name, "QFrame") == 0 || qstrcmp(name, "QGroupBox") == 0;
}

bool IsLeftAlignedPanel(const QWidget* w)
{
    return qobject_cast<const QFrame*>(w) && w->property("Align").toString() == QLatin1String("alLeft");
}

// Whether w lies inside a chain of panels that reaches one of the two
// journal-entry panels, which keep their places.
bool InsideKeptPanel(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p && qobject_cast<const QFrame*>(p); p = p->parentWidget()) {
        if (p->objectName() == QLatin1String("pnlSwkInA") || p->objectName() == QLatin1String("pnlChoseiNasi"))
            return true;
    }
    return false;
}

void SetHintText(QWidget* target, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(target))
        rich->setPlainText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        line->setText(text);
}

// The Windows virtual-key code of a Qt key, which LastKey keeps (Esc 27,
// F12 123); 0 for a key without one.
std::uint16_t VirtualKeyOf(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(112 + (key - Qt::Key_F1));
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<std::uint16_t>(key);
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

}  // namespace

TBSDI::TBSDI(QWidget* parent, TFormBorderStyle borderStyle) : QDialog(parent), borderStyle_(borderStyle)
{
    setWindowTitle(QStringLiteral("( W=1005 * H=620 )"));
    setProperty("Tag", 50);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    setFont(font);
    resize(1005, 620);
    if (borderStyle_ == bsDialog)
        setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { BaseFormFocusChanged(); });
}

TBSDI::~TBSDI()
{
    // The form's own objects go with it; a history transaction still open
    // rolls back with its object.
    qApp->removeEventFilter(this);
    Layout.clear();
}

void TBSDI::SetMainForm(QWidget* form)
{
    MainFormPointer() = form;
}

QWidget* TBSDI::MainForm()
{
    return MainFormPointer().data();
}

int TBSDI::PeriodIndexOfMonth(int month)
{
    if (month >= 1 && month <= 3)
        return month - 1;
    if (month >= 4 && month <= 6)
        return month;
    if (month >= 7 && month <= 9)
        return month + 1;
    if (month >= 10 && month <= 12)
        return month + 2;
    return 0;
}

int TBSDI::FrameCompensation(int frameSize)
{
    return frameSize > 4 ? 2 * (frameSize - 4) : 0;
}

QList<QWidget*> TBSDI::FormComponents() const
{
    QList<QWidget*> components;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->isWindow())
            continue;
        bool own = true;
        for (const QWidget* p = w->parentWidget(); p && p != this; p = p->parentWidget())
            own = own && IsContainer(p);
        if (own)
            components.append(w);
    }
    return components;
}

// ---------------------------------------------------------------------------
// Create

void TBSDI::FormCreate()
{
    FormatSettings.ShortDateFormat = "YYYY/MM/DD";
    FormatSettings.DateSeparator = '/';
    showHint_ = SystemDef.ShowHint != 0;

    const bool notDialog = !IsDialog();
    UseProcHistory = notDialog;
    SkipOtherScreensCheck = notDialog;
    UseSizeMemory = notDialog;
    ReloadAccInfo = notDialog;
    ActivateHookFlag = notDialog;
    GridResizeOn = SystemDef.GridRsiz == 1;
    ZoomFont = FontOf(SystemDef.OperatorFont, font());
    ScreenKeyStore = std::make_unique<TGamenKeyValue>();
    Splitter = std::make_unique<TMojiBunkatu>();
    Splitter->Delimiter = ',';
    if (DM)
        IBTransactionDAT =
            std::make_unique<db::Transaction>(DM->IBDatabaseDAT, db::TransactionOptions::ReadCommitted());

    // The form would be asked to own itself here, which no window can; a
    // caller that opens the form gives it its owner with SetParentWindow.
    OwnerWindow = nullptr;
    OwnerCaption = windowTitle();

    SetUpPeriodSelectors();
}

void TBSDI::SetUpPeriodSelectors()
{
    const auto setup = [](TxKikanPanelBase* panel) {
        panel->SetupPeriod(AccInf.SIME, AccInf.KISHU, AccInf.KIMATU, AccInf.KAISI);
    };
    if (auto* p16 = findChild<TxKikanPanel16*>(QStringLiteral("KikanPanel16"))) {
        setup(p16);
        p16->SetStno(PeriodIndexOfMonth(AccInf.KAISINO));
        StartPeriod = p16->Stno();
        p16->SetEdno(p16->KikanMove() ? 15 : p16->Stno());
    }
    if (auto* p12 = findChild<TxKikanPanel12*>(QStringLiteral("KikanPanel12"))) {
        setup(p12);
        p12->SetStno(AccInf.KAISINO - 1);
        p12->SetEdno(p12->KikanMove() ? 11 : AccInf.KAISINO - 1);
    }
    for (const char* name : {"KikanPanel4", "KikanPanel2"}) {
        if (auto* p4 = findChild<TxKikanPanel4*>(QString::fromLatin1(name)))
            setup(p4);
    }
    const bool wareki = SystemDef.EraDisplay != 0;
    for (auto* edit : findChildren<TLedrixExDateEdit*>()) {
        edit->SetEditGengo(wareki);
        try {
            edit->SetGengo(wareki ? rsWareki : rsSeireki);
        } catch (const std::exception&) {
            // An empty edit always validates; a refused switch keeps the
            // form it had and has already been reported by the edit.
        }
        edit->SetWarekiTable(GengoTable());
    }
}

void TBSDI::SetParentWindow(QWidget* window)
{
    OwnerWindow = window;
    if (!window || window == this || windowType() != Qt::Dialog)
        return;
    // Owned, not embedded: the form stays a window of its own that keeps
    // above its owner.
    setParent(window, windowFlags());
    OwnerCaption = window->windowTitle();
}

// ---------------------------------------------------------------------------
// Show

void TBSDI::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    try {
        BaseFormShowingChanged();
        FormShow();
    } catch (const std::exception& error) {
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
    }
}

void TBSDI::BaseFormShowingChanged()
{
    if (isVisible()) {
        // Clicks and keys that arrived while the form was coming up were
        // meant for what was there before it.
        for (int type : {QEvent::KeyPress, QEvent::KeyRelease, QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                         QEvent::MouseButtonDblClick, QEvent::MouseMove}) {
            QCoreApplication::removePostedEvents(this, type);
            for (QObject* child : findChildren<QObject*>())
                QCoreApplication::removePostedEvents(child, type);
        }
        SystemDef.MenuAnswer = 0;
        if (MenuCallbackHook && CallMenuHook && MenuCallbackHook(10, "") > 0)
            CallMenuHook = false;
        if (MenuCallbackHook && CallMenuHook) {
            SystemDef.MenuAnswer = static_cast<std::uint8_t>(MenuCallbackHook(11, "ZorvathMenu") & 0xFF);
            MenuCallbackHook(4, "");
        }
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

int TBSDI::ReferencePPI() const
{
    return PointSizeOf(SystemDef.StandardFont, font()) == 10 ? ScreenPPI() : 96;
}

void TBSDI::FormShow()
{
    if (Shown)
        return;
    if (UseProcHistory) {
        PutProcRirekiInfo(0);
        SystemDef.ProcessScreenOpen = 1;
    }
    if (ReloadAccInfo)
        ::ReloadAccInfo();
    if (!IsDialog())
        ApplyFrameCompensation();
    const int r = ReferencePPI();
    TakeLayout(r);
    setUpdatesEnabled(false);
    ZoomToOperatorFont(r);
    setUpdatesEnabled(true);
    GetFormSize();
    Shown = true;
}

void TBSDI::ApplyFrameCompensation()
{
    const int d = FrameCompensation(SystemDef.FrameHeight);
    if (d == 0)
        return;
    const QList<QWidget*> controls = FormComponents();
    for (QWidget* w : controls) {
        if (!IsLeftAlignedPanel(w))
            continue;
        if (w->x() == 0)
            w->resize(w->width() - d, w->height());
        else if (w->property("Anchors").toString() == QLatin1String("akLeft,akTop,akRight,akBottom"))
            w->resize(w->width() + d, w->height());
    }
    for (QWidget* w : controls) {
        if (qobject_cast<QGroupBox*>(w->parentWidget()) || IsLeftAlignedPanel(w) || InsideKeptPanel(w))
            continue;
        w->move(std::max(0, w->x() - d), w->y());
    }
}

void TBSDI::TakeLayout(int r)
{
    const QList<QWidget*> controls = FormComponents();
    Layout.assign(static_cast<std::size_t>(controls.size()), TLayoutRec{});
    if (DesignWidth == 0 && DesignHeight == 0) {
        DesignWidth = width();
        DesignHeight = height();
    }
    if (UseSizeMemory && !IsDialog()) {
        if (MinWidth == 0)
            MinWidth = width() * 60 / 100;
        if (MinHeight == 0)
            MinHeight = height() * 60 / 100;
    } else {
        MinWidth = 0;
        MinHeight = 0;
    }
    MaxWidth = 0;
    MaxHeight = 0;
    if (pixelsPerInch_ <= 96) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            MaxWidth = screen->geometry().width();
            MaxHeight = screen->geometry().height();
        }
    }
    setMinimumSize(MinWidth, MinHeight);
    if (MaxWidth > 0 && MaxHeight > 0)
        setMaximumSize(MaxWidth, MaxHeight);
    FontHeight = std::abs(font().pixelSize() > 0 ? font().pixelSize() : QFontInfo(font()).pixelSize());

    showHint_ = SystemDef.ShowHint != 0;
    const bool medical = AccInf.MedicalChart != 0;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QWidget* w = controls[i];
        TLayoutRec& rec = Layout[static_cast<std::size_t>(i)];
        rec.Left = w->x();
        rec.Top = w->y();
        rec.Width = w->width();
        rec.Height = w->height();
        rec.Tag = w->property("Tag").toInt();
        if (auto* combo = qobject_cast<QComboBox*>(w))
            rec.ItemHeight = combo->view() ? combo->view()->sizeHintForRow(0) : 0;
        if (medical) {
            if (auto* label = qobject_cast<QLabel*>(w)) {
                QString text = label->text();
                text.replace(QStringLiteral("本・支店"), QStringLiteral("施設"));
                text.replace(QStringLiteral("支店"), QStringLiteral("施設"));
                label->setText(text);
            }
        }
        if (auto* pgrid = qobject_cast<TPerfectGrid*>(w)) {
            // The list grid keeps its design at the reference density, so
            // the zoom below starts from the same figures on any screen.
            const int ppi = ScreenPPI();
            pgrid->resize(ScalePPI(pgrid->width(), r, ppi), ScalePPI(pgrid->height(), r, ppi));
            rec.HasGrid = true;
            rec.DefaultRowHeight = pgrid->verticalHeader()->defaultSectionSize();
            rec.DefaultColWidth = pgrid->horizontalHeader()->defaultSectionSize();
            for (int c = -1; c < pgrid->Cols() && c + 1 < MaxLayoutColumns; ++c)
                rec.ColWidths.push_back(static_cast<std::int16_t>(pgrid->ColWidth(c)));
        } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            rec.HasGrid = true;
            rec.DefaultRowHeight = grid->verticalHeader()->defaultSectionSize();
            rec.DefaultColWidth = grid->horizontalHeader()->defaultSectionSize();
            for (int c = 0; c < grid->columnCount() && c < MaxLayoutColumns; ++c)
                rec.ColWidths.push_back(static_cast<std::int16_t>(grid->columnWidth(c)));
        } else if (auto* list = qobject_cast<QTreeView*>(w)) {
            rec.HasGrid = true;
            const int columns = list->header() ? list->header()->count() : 0;
            for (int c = 0; c < columns && c < MaxLayoutColumns; ++c)
                rec.ColWidths.push_back(static_cast<std::int16_t>(list->columnWidth(c)));
        }
    }
}

void TBSDI::ScaleBy(int m, int d)
{
    if (m == d || d == 0)
        return;
    for (QWidget* w : FormComponents()) {
        w->setGeometry(MulDiv(w->x(), m, d), MulDiv(w->y(), m, d), MulDiv(w->width(), m, d), MulDiv(w->height(), m, d));
        if (w->testAttribute(Qt::WA_SetFont)) {
            QFont f = w->font();
            if (f.pixelSize() > 0)
                f.setPixelSize(MulDiv(f.pixelSize(), m, d));
            else if (f.pointSize() > 0)
                f.setPointSize(MulDiv(f.pointSize(), m, d));
            w->setFont(f);
        }
    }
    resize(MulDiv(width(), m, d), MulDiv(height(), m, d));
}

void TBSDI::ZoomToOperatorFont(int r)
{
    const int ppi = ScreenPPI();
    const int a = MulDiv(PointSizeOf(SystemDef.OperatorFont, font()), ppi, 96);
    const int b = MulDiv(PointSizeOf(SystemDef.StandardFont, font()), ppi, 96);
    // Without a standard font size there is nothing to compare with.
    ZoomPercent = b > 0 && a > 0 ? static_cast<int>(static_cast<double>(a) / b * 100.0) : 100;
    pixelsPerInch_ = static_cast<int>(std::lround(r * ZoomPercent / 100.0));
    ScaleBy(pixelsPerInch_, r);

    const QList<QWidget*> controls = FormComponents();
    for (qsizetype i = 0; i < controls.size() && i < static_cast<qsizetype>(Layout.size()); ++i) {
        QWidget* w = controls[i];
        const TLayoutRec& rec = Layout[static_cast<std::size_t>(i)];
        if (auto* pgrid = qobject_cast<TPerfectGrid*>(w)) {
            pgrid->setFont(FontOf(SystemDef.OperatorFont, pgrid->font()));
            pgrid->verticalHeader()->setDefaultSectionSize(
                ScalePPI(static_cast<int>(rec.DefaultRowHeight), pixelsPerInch_, 96));
            pgrid->horizontalHeader()->setDefaultSectionSize(
                ScalePPI(static_cast<int>(rec.DefaultColWidth), pixelsPerInch_, 96));
            for (std::size_t c = 0; c < rec.ColWidths.size(); ++c)
                pgrid->SetColWidth(static_cast<int>(c) - 1, ScalePPI(rec.ColWidths[c], pixelsPerInch_, 96));
        } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            grid->verticalHeader()->setDefaultSectionSize(
                ScalePPI(static_cast<int>(rec.DefaultRowHeight), pixelsPerInch_, 96));
            for (std::size_t c = 0; c < rec.ColWidths.size(); ++c)
                grid->setColumnWidth(static_cast<int>(c), ScalePPI(rec.ColWidths[c], pixelsPerInch_, 96));
        } else if (auto* list = qobject_cast<QTreeView*>(w)) {
            for (std::size_t c = 0; c < rec.ColWidths.size(); ++c)
                list->setColumnWidth(static_cast<int>(c), ScalePPI(rec.ColWidths[c], pixelsPerInch_, 96));
        } else if (auto* button = qobject_cast<TxPlButton*>(w)) {
            if (button->Image().Picture.isNull()) {
                button->SetCaptionVertCenter(true);
                TxPlBtnImage image = button->Image();
                image.VertCenter = true;
                button->SetImage(image);
            }
        }
    }
    setFont(FontOf(SystemDef.OperatorFont, font()));
}

// ---------------------------------------------------------------------------
// Activation, focus, keys

void TBSDI::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow())
        FormActivate();
    else
        FormDeactivate();
}

void TBSDI::FormActivate()
{
    if (FormActivateHook)
        FormActivateHook(ActivateHookFlag, ActivateHookValue);
}

void TBSDI::FormDeactivate()
{
    Deactivated = true;
}

void TBSDI::BaseFormFocusChanged()
{
    QWidget* focus = QApplication::focusWidget();
    if (HintMemo && focus && focus->window() == this)
        ShowControlHint(focus, HintMemo);
}

void TBSDI::ShowControlHint(QWidget* control, QWidget* target)
{
    if (!control || !target)
        return;
    const QString hint = control->toolTip();
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    SetHintText(target, bar < 0 ? hint : hint.mid(bar + 1));
}

void TBSDI::keyPressEvent(QKeyEvent* event)
{
    // Esc is the key-up's business (a dialog closes, other forms ignore
    // it), not the press's.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TBSDI::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && !showHint_) {
        // The operator turned hints off: no tool tips anywhere on the form.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this)
            return true;
    }
    if (event->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    // Like a key preview: the form sees the key once, before the focused
    // control (or itself, when nothing in it has the focus); the release
    // passing on to the parents is not seen again.
    QWidget* focus = QApplication::focusWidget();
    const bool focusHere = focus && focus->window() == this;
    if (widget != (focusHere ? focus : this))
        return QDialog::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->isAutoRepeat())
        return false;
    int key = keyEvent->key();
    try {
        FormKeyUp(key, keyEvent->modifiers());
    } catch (const std::exception& error) {
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
    }
    return key == 0;
}

void TBSDI::FormKeyUp(int& key, Qt::KeyboardModifiers shift)
{
    if ((shift & ~Qt::KeypadModifier) != Qt::NoModifier)
        return;
    if (key == Qt::Key_Escape) {
        if (IsDialog())
            reject();
    } else if (key == Qt::Key_F12) {
        if (IsDialog()) {
            TxPlButton* button = F12Button;
            if (button && button->isVisible() && button->isEnabled() && button->OnClick) {
                if (FocusF12Button)
                    button->setFocus();
                button->OnClick(button);
                key = 0;
            }
        } else {
            close();
        }
    }
    LastKey = VirtualKeyOf(key);
}

// ---------------------------------------------------------------------------
// Close

void TBSDI::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    TCloseAction action = caHide;
    try {
        FormClose(action);
    } catch (const std::exception& error) {
        ShowUserMessage(error.what(), TMsgDlgType::mtError);
    }
    setAttribute(Qt::WA_DeleteOnClose, action == caFree);
    QDialog::done(result);
    closing_ = false;
}

void TBSDI::FormClose(TCloseAction& action)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Finally {
        TBSDI* form;
        TCloseAction& action;
        ~Finally()
        {
            if (QInputMethod* im = QGuiApplication::inputMethod())
                im->reset();
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
            action = form->KeepOnClose ? caHide : caFree;
        }
    } finally{this, action};
    if (UseSizeMemory && !NoSizeSave)
        PutFormSize();
    if (UseProcHistory)
        PutProcRirekiInfo(1);
}

bool TBSDI::CheckCreatedOK()
{
    if (CreatedOK)
        return true;
    ShowUserMessage(windowTitle().toStdString() + "画面の初期化に失敗しました。\r処理を終了します。",
                    TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
    close();
    return false;
}

// ---------------------------------------------------------------------------
// Placement

void TBSDI::SetFormPosition(int xOffset, int yOffset, int areaWidth, int areaHeight, int kind)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!PositionPending && x() > 0 && x() < work.right() + 1 && y() > 0 && y() < work.bottom() + 1)
        return;
    const QWidget* main = MainForm();
    const bool mainShowing = main && main->isVisible();
    const QRect frame = frameGeometry();
    int left = work.x() + (work.width() - frame.width()) / 2;
    int top = work.y() + (work.height() - frame.height()) / 2;
    if (kind == 1 && mainShowing) {
        left = main->x() + SystemDef.FrameHeight + xOffset + (areaWidth - frame.width()) / 2;
        top = main->y() + SystemDef.FrameHeight + SystemDef.CaptionHeight + SystemDef.MenuHeight +
              SystemDef.ExtraTopOffset + yOffset + (areaHeight - frame.height()) / 2;
    } else if (kind == 2 && mainShowing) {
        left = main->x() + (main->frameGeometry().width() - frame.width()) / 2;
        top = main->y() + (main->frameGeometry().height() - frame.height()) / 2;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    if (left + frame.width() > work.x() + work.width())
        left = work.x() + work.width() - frame.width();
    if (top + frame.height() > work.y() + work.height())
        top = work.y() + work.height() - frame.height();
    if (IsDialog()) {
        left = std::max(left, 0);
        top = std::max(top, 0);
    }
    move(left, top);
}

// ---------------------------------------------------------------------------
// Process history

void TBSDI::PutProcRirekiInfo(int state)
{
    try {
        if (!DM || !IBTransactionDAT)
            throw std::runtime_error("no data module for the process history");
        // Rolled back on the way out of the try when it is ours.
        db::JoinedTransaction joined(*IBTransactionDAT);
        const std::string jobName = Cut(windowTitle(), kJobNameBytes);
        db::Query procedure(DM->IBDatabaseDAT, *IBTransactionDAT, kHistoryDeleteSql);
        procedure.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
        procedure.ParamByName("JOBNAME").SetString(jobName);
        procedure.ParamByName("STATE").SetString(state == 0 ? "エラー終了" : "正常終了");
        procedure.ExecSQL();
        if (state == 0) {
            db::Query insert(DM->IBDatabaseDAT, *IBTransactionDAT, kHistoryInsertSql);
            insert.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
            insert.ParamByName("JOBNAME").SetString(jobName);
            insert.ParamByName("PCNAME").SetString(Cut(QString::fromStdString(SystemDef.PCName), kPcNameBytes));
            insert.ParamByName("OPENTIME").SetDateTime(Now());
            insert.ExecSQL();
        }
        joined.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TBSDI.PutProcRirekiInfo", "");
        throw;
    }
}

// ---------------------------------------------------------------------------
// Size memory

void TBSDI::GetFormSize()
{
    if (!UseSizeMemory)
        return;
    try {
        if (!DM)
            throw std::runtime_error("no data module for the form size");
        db::JoinedTransaction joined(DM->IBTransactionDEF);
        auto query = CreateAccQuery("ACCDEF", false);
        query->SetSQL(kSelectSizeSql);
        query->ParamByName("FMNAME").SetString(objectName().toStdString());
        query->ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
        query->Open();
        int top = 0;
        int left = 0;
        int height = 0;
        int width = 0;
        if (!query->Eof()) {
            top = query->FieldByName("FMTOP").AsInteger();
            left = query->FieldByName("FMLEFT").AsInteger();
            height = query->FieldByName("FMHEIGHT").AsInteger();
            width = query->FieldByName("FMWIDTH").AsInteger();
            query->Close();
        } else {
            query->Close();
            height = AdjustFrameHeight(ScalePPI(DefaultFormHeight, pixelsPerInch_, 96), 0);
            width = AdjustFrameHeight(ScalePPI(DefaultFormWidth, pixelsPerInch_, 96), 0);
            query->SetSQL(kInsertSizeSql);
            query->ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
            query->ParamByName("FNAME").SetString(objectName().toStdString());
            query->ParamByName("TOP").SetInteger(top);
            query->ParamByName("LEFT").SetInteger(left);
            query->ParamByName("HEIGHT").SetInteger(height);
            query->ParamByName("WIDTH").SetInteger(width);
            query->ParamByName("DEFHEIGHT").SetInteger(height);
            query->ParamByName("DEFWIDTH").SetInteger(width);
            query->ExecSQL();
        }
        joined.Commit();
        move(left, top);
        resize(width, height);
    } catch (const db::FbError& error) {
        HandleIBError(error, "TBSDI.GetFormSize", "");
    }
}

void TBSDI::PutFormSize()
{
    if (!UseSizeMemory)
        return;
    Layout.clear();
    const QWidget* main = MainForm();
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    if (isMaximized()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize area = main ? main->size() : (screen ? screen->availableGeometry().size() : size());
        height = area.height() - (SystemDef.ExtraTopOffset + SystemDef.FrameHeight);
        width = area.width() - SystemDef.FrameHeight;
    } else {
        top = std::max(0, y());
        left = std::max(0, x());
        height = this->height();
        width = this->width();
        if (main && top > main->height())
            top = 0;
        if (main && left > main->width())
            left = 0;
    }
    try {
        if (!DM)
            throw std::runtime_error("no data module for the form size");
        db::JoinedTransaction joined(DM->IBTransactionDEF);
        auto statement = CreateAccSQL("ACCDEF", false);
        statement->SetSQL(kUpdateSizeSql);
        statement->ParamByName("FMTOP").SetInteger(top);
        statement->ParamByName("FMLEFT").SetInteger(left);
        statement->ParamByName("FMHEIGHT").SetInteger(height);
        statement->ParamByName("FMWIDTH").SetInteger(width);
        statement->ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
        statement->ParamByName("FMNAME").SetString(objectName().toStdString());
        statement->ExecSQL();
        joined.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TBSDI.PutFormSize", "");
    }
}

// ---------------------------------------------------------------------------
// Saved screen values

void TBSDI::LoadScreenKeyValue()
{
    if (ScreenKeyStore)
        ScreenKeyStore->FukugenValue(objectName().toStdString(), ScreenKeyValue);
}

void TBSDI::StoreScreenKeyValue()
{
    if (ScreenKeyStore)
        ScreenKeyStore->HozonValue(objectName().toStdString(), ScreenKeyValue);
}

namespace {
QColor ColorOfTColor(std::int32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
}  // namespace

void TBSDI::SetPerfectGridColors(TPerfectGrid* grid, int scheme)
{
    grid->FixedBackColor = ColorOfTColor(SystemDef.ColHeaderColor);
    grid->FixedBorderColor = grid->BorderColor = grid->DisabledColor = QColor(128, 128, 128);
    grid->BackColor = grid->OddRowBackColor = ColorOfTColor(SystemDef.ClientColor);
    grid->FocusBorderColor = ColorOfTColor(SystemDef.ActiveColor);
    grid->ThruBorderColor = EditionFlag == 1 || EditionFlag == 2 ? QColor(255, 107, 36) : QColor(0, 128, 0);
    grid->VoidAreaColor = vcl::clGrayText;
    if (scheme != 1) {
        grid->BackColor = ColorOfTColor(SystemDef.ClientColor1);
        grid->OddRowBackColor = ColorOfTColor(SystemDef.ClientColor2);
    }
    grid->ApplyColors();
}
