#include "controls/widgets/TLedrixExDateEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <cmath>

#include "controls/Abort.h"
#include "controls/widgets/SystemEras.h"
#include "controls/widgets/VclColors.h"
#include "foundation/UserMessage.h"

namespace {

const char* const kLabels[ExDateBoxCount] = {"", "年", "月", "日", "", "時", "分", "秒"};

bool IsCombo(int box)
{
    return box == dbEra || box == dbAmpm;
}

}  // namespace

TLedrixExDateEdit::TLedrixExDateEdit(QWidget* parent) : QWidget(parent), disableColor_(vcl::clGrayText)
{
    s_.SystemEras = SystemEraList();
    // The program's dates are read and written in the four-digit form from
    // the moment a date edit exists.
    FormatSettings.ShortDateFormat = "yyyy/MM/dd";
    setFocusPolicy(Qt::ClickFocus);
    eraBox_ = new QComboBox(this);
    ampmBox_ = new QComboBox(this);
    ampmBox_->addItems({QStringLiteral("午前"), QStringLiteral("午後")});
    ampmBox_->setCurrentIndex(-1);
    for (int b = 0; b < ExDateBoxCount; ++b) {
        QWidget* box = nullptr;
        if (b == dbEra)
            box = eraBox_;
        else if (b == dbAmpm)
            box = ampmBox_;
        else {
            auto* edit = new QLineEdit(this);
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            edit->setAttribute(Qt::WA_InputMethodEnabled, false);
            edit->setMaxLength(2);
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { FieldChange(edit); });
            box = edit;
            labels_[b] = new TLedrixExDateEditLabel(this);
            labels_[b]->SetCaption(QString::fromUtf8(kLabels[b]));
        }
        box->installEventFilter(this);
        boxes_[b] = box;
    }
    for (QComboBox* combo : {eraBox_, ampmBox_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { FieldChange(combo); });
    focusWatch_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* o, QWidget* n) { FocusChanged(o, n); });
    FillEraBox();
    ApplyTabStops(tabStop_);
    ApplyColours();
    ArrangeFields();
}

TLedrixExDateEdit::~TLedrixExDateEdit()
{
    disconnect(focusWatch_);
}

QLineEdit* TLedrixExDateEdit::NumberBox(TExDateBox box) const
{
    return IsCombo(box) ? nullptr : static_cast<QLineEdit*>(Box(box));
}

TLedrixExDateEditLabel* TLedrixExDateEdit::Label(TExDateBox box) const
{
    return labels_[box];
}

bool TLedrixExDateEdit::Owns(const QWidget* w) const
{
    return w != nullptr && (w == this || isAncestorOf(w));
}

QWidget* TLedrixExDateEdit::FocusedBox() const
{
    for (QWidget* box : boxes_)
        if (box->hasFocus())
            return box;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Value

void TLedrixExDateEdit::ClearExDateEdit()
{
    for (int b = 0; b < ExDateBoxCount; ++b)
        if (!IsCombo(b))
            NumberBox(static_cast<TExDateBox>(b))->clear();
    eraBox_->setCurrentIndex(-1);
    ampmBox_->setCurrentIndex(-1);
    value_ = ExDateEmptyValue();
    empty_ = true;
}

TExDateBoxes TLedrixExDateEdit::ReadBoxes() const
{
    TExDateBoxes boxes;
    for (int b = 0; b < ExDateBoxCount; ++b)
        if (!IsCombo(b))
            boxes.Text[b] = NumberBox(static_cast<TExDateBox>(b))->text().toStdString();
    boxes.EraIndex = eraBox_->currentIndex();
    boxes.AmpmIndex = ampmBox_->currentIndex();
    return boxes;
}

void TLedrixExDateEdit::WriteBoxes(const TExDateBoxes& boxes)
{
    for (int b = 0; b < ExDateBoxCount; ++b)
        if (!IsCombo(b))
            NumberBox(static_cast<TExDateBox>(b))->setText(QString::fromStdString(boxes.Text[b]));
    eraBox_->setCurrentIndex(boxes.EraIndex < eraBox_->count() ? boxes.EraIndex : -1);
    ampmBox_->setCurrentIndex(boxes.AmpmIndex);
}

void TLedrixExDateEdit::ShowValue(TDateTime value)
{
    TExDateBoxes boxes = ReadBoxes();
    if (ShowExDateValue(value, s_, boxes))
        empty_ = false;
    WriteBoxes(boxes);
}

void TLedrixExDateEdit::Fail(const TExDateCheck& check)
{
    if (DisplayError) {
        TUserMessage message;
        message.Text = check.Message;
        message.Caption = DialogCaption.toStdString();
        message.Type = TMsgDlgType::mtInformation;
        ShowUserMessage(message);
    }
    QWidget* box = Box(check.Focus);
    if (box->isVisibleTo(this) && box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
    throw EAbort();
}

TExDateCheck TLedrixExDateEdit::Validate()
{
    s_.Today = Date();
    const TExDateCheck check = ValidateExDate(ReadBoxes(), s_);
    if (!check.Ok)
        Fail(check);
    if (check.Empty) {
        ClearExDateEdit();
    } else {
        value_ = check.Value;
        ShowValue(check.Value);
    }
    return check;
}

void TLedrixExDateEdit::SetExDateEditValue(TDateTime value)
{
    if (!std::isfinite(value)) {
        TExDateCheck bad;
        bad.Message = ExDateMsgBadValue;
        bad.Focus = dbYear;
        for (int b = 0; b < ExDateBoxCount; ++b)
            if (Box(b)->isVisibleTo(this)) {
                bad.Focus = static_cast<TExDateBox>(b);
                break;
            }
        Fail(bad);
    }
    const TDateTime kept = ExDateKeptValue(value, s_);
    if (kept > 0) {
        value_ = kept;
        ShowValue(kept);
    } else {
        ClearExDateEdit();
    }
}

TDateTime TLedrixExDateEdit::GetExDateEditValue()
{
    const TExDateCheck check = Validate();
    return !check.Empty && check.Value > 0 ? check.Value : 0;
}

void TLedrixExDateEdit::SetWarekiTable(const TGengoArray& table)
{
    s_.UseWarekiTable = true;
    table_ = table;
    s_.EraList = BuildEraList(table_, s_.MinDate, s_.MaxDate);
    FillEraBox();
}

// ---------------------------------------------------------------------------
// Settings

void TLedrixExDateEdit::SetEditStyle(TLedrixExDateEditStyle style)
{
    s_.Style = style;
    ArrangeFields();
    ClearExDateEdit();
}

void TLedrixExDateEdit::SetEditGengo(bool on)
{
    s_.EditGengo = on;
    if (!on)
        s_.Gengo = rsSeireki;
    FillEraBox();
    ArrangeFields();
    if (!empty_)
        ShowValue(value_);
}

void TLedrixExDateEdit::SetEditAmpm(bool on)
{
    s_.EditAmpm = on;
    ArrangeFields();
    if (!empty_)
        ShowValue(value_);
}

void TLedrixExDateEdit::SetGengo(TLedrixExRekiSet gengo)
{
    if (!s_.EditGengo)
        gengo = rsSeireki;
    const TExDateCheck check = Validate();
    s_.Gengo = gengo;
    FillEraBox();
    ArrangeFields();
    if (!check.Empty)
        ShowValue(check.Value);
}

void TLedrixExDateEdit::SetYeardigit(TLedrixExYeardigitSet digits)
{
    s_.Yeardigit = digits;
    ArrangeFields();
    if (!empty_)
        ShowValue(value_);
}

void TLedrixExDateEdit::SetMinDate(TDateTime date)
{
    s_.MinDate = date == 0 ? ExDateEmptyValue() : date;
    s_.EraList = BuildEraList(table_, s_.MinDate, s_.MaxDate);
    FillEraBox();
    if (!empty_)
        SetExDateEditValue(value_);
}

void TLedrixExDateEdit::SetMaxDate(TDateTime date)
{
    s_.MaxDate = date == 0 ? ExDateEmptyValue() : date;
    s_.EraList = BuildEraList(table_, s_.MinDate, s_.MaxDate);
    FillEraBox();
    if (!empty_)
        SetExDateEditValue(value_);
}

void TLedrixExDateEdit::SetUseWarekiTable(bool on)
{
    s_.UseWarekiTable = on;
    FillEraBox();
}

void TLedrixExDateEdit::SetSpaceWidth(int width)
{
    spaceWidth_ = width;
    ArrangeFields();
}

void TLedrixExDateEdit::SetLabelText(TExDateBox box, const QString& text)
{
    if (labels_[box] == nullptr)
        return;
    labels_[box]->SetCaption(text);
    ArrangeFields();
}

void TLedrixExDateEdit::SetLabelColor(const QColor& colour)
{
    labelColor_ = colour;
    for (auto* label : labels_)
        if (label != nullptr)
            label->SetBackground(colour);
}

void TLedrixExDateEdit::SetTabStop(bool on)
{
    tabStop_ = on;
    ApplyTabStops(on);
}

void TLedrixExDateEdit::ApplyTabStops(bool boxesTabStop)
{
    for (QWidget* box : boxes_)
        box->setFocusPolicy(boxesTabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TLedrixExDateEdit::SetColor(const QColor& c)
{
    color_ = c;
    ApplyColours();
}

void TLedrixExDateEdit::SetDisableColor(const QColor& c)
{
    disableColor_ = c;
    ApplyColours();
}

void TLedrixExDateEdit::SetDisableFontColor(const QColor& c)
{
    disableFontColor_ = c;
    ApplyColours();
}

void TLedrixExDateEdit::ApplyColours()
{
    const bool enabled = isEnabled();
    for (int b = 0; b < ExDateBoxCount; ++b) {
        if (b == dbAmpm)
            continue;
        QPalette pal = Box(b)->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pal.setColor(g, QPalette::Base, enabled ? color_ : disableColor_);
            if (IsCombo(b))
                pal.setColor(g, QPalette::Button, enabled ? color_ : disableColor_);
            pal.setColor(g, QPalette::Text, enabled ? palette().color(QPalette::WindowText) : disableFontColor_);
            pal.setColor(g, QPalette::ButtonText, enabled ? palette().color(QPalette::WindowText) : disableFontColor_);
        }
        Box(b)->setPalette(pal);
    }
    eraBox_->setEnabled(enabled);
    ampmBox_->setEnabled(enabled);
}

void TLedrixExDateEdit::FillEraBox()
{
    const QSignalBlocker block(eraBox_);
    eraBox_->clear();
    for (const std::string& item : ExDateEraItems(s_))
        eraBox_->addItem(QString::fromStdString(item));
    eraBox_->setCurrentIndex(-1);
}

void TLedrixExDateEdit::ArrangeFields()
{
    const TExDateShown shown = ExDateShownBoxes(s_.Style, s_.EditGengo, s_.EditAmpm);
    NumberBox(dbYear)->setMaxLength(s_.Yeardigit == yddigit4 && s_.Gengo != rsWareki ? 4 : 2);
    const QFontMetrics fm(font());
    const int row = fm.height() + 8;
    const int comboWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 26;
    const int twoDigits = fm.horizontalAdvance(QStringLiteral("00")) + 16;
    const int yearWidth =
        NumberBox(dbYear)->maxLength() == 4 ? fm.horizontalAdvance(QStringLiteral("0000")) + 20 : twoDigits;
    const bool tightLabels = s_.Style == desYearMonth || s_.Style == desYear;
    eraBox_->view()->setMinimumHeight(0);

    int right = 0;  // right end of everything placed
    int x = 0;      // where the next part starts
    int top = 0;
    const auto place = [&](int b, int width) {
        QWidget* box = Box(b);
        box->setVisible(shown[b]);
        if (labels_[b] != nullptr)
            labels_[b]->setVisible(shown[b]);
        if (!shown[b]) {
            box->setGeometry(x, top, 0, row);
            if (labels_[b] != nullptr)
                labels_[b]->setGeometry(x, top, 0, row);
            return;
        }
        box->setGeometry(x, top, width, row);
        int end = x + width;
        if (labels_[b] != nullptr) {
            const int labelWidth = fm.horizontalAdvance(labels_[b]->Caption()) + 14;
            const int labelLeft = tightLabels ? end - 2 : end;
            labels_[b]->setGeometry(labelLeft, top, labelWidth, row);
            end = labelLeft + labelWidth;
            x = end - 3;
        } else {
            x = end - 2;
        }
        right = std::max(right, end);
    };
    place(dbEra, comboWidth);
    if (!shown[dbEra])
        x = 0;
    place(dbYear, yearWidth);
    place(dbMonth, twoDigits);
    place(dbDay, twoDigits);
    int height = row;
    if (ExDateHasDate(s_.Style) && ExDateHasTime(s_.Style)) {
        if (spaceWidth_ < 0) {
            x = 0;
            top = row - spaceWidth_;
            height = 2 * row - spaceWidth_;
        } else {
            x = right + spaceWidth_;
        }
    } else if (!ExDateHasDate(s_.Style)) {
        x = 0;
    }
    ampmBox_->view()->setMinimumHeight(0);
    place(dbAmpm, comboWidth);
    place(dbHour, twoDigits);
    place(dbMinute, twoDigits);
    place(dbSecond, twoDigits);
    setFixedSize(std::max(right, 1), height);
}

// ---------------------------------------------------------------------------
// Boxes

void TLedrixExDateEdit::FieldKeyPress(QObject* sender, QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(sender, key);
    if (key.isNull())
        return;
    const bool combo = sender == eraBox_ || sender == ampmBox_;
    const bool editing = key == QChar('\b') || key == QChar(27);
    if (!editing && (combo || !key.isDigit()))
        key = QChar();
}

void TLedrixExDateEdit::StepBox(QWidget* from, bool forward)
{
    // The boxes in tab order; a walk of one round at most.
    const int start = static_cast<int>(std::find(boxes_.begin(), boxes_.end(), from) - boxes_.begin());
    if (start >= ExDateBoxCount)
        return;
    for (int n = 1; n < ExDateBoxCount; ++n) {
        const int b = ((start + (forward ? n : -n)) % ExDateBoxCount + ExDateBoxCount) % ExDateBoxCount;
        QWidget* box = Box(b);
        if (box->isVisibleTo(this) && box->isEnabled()) {
            box->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TLedrixExDateEdit::FieldKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(sender, key, shift);
    auto* combo = qobject_cast<QComboBox*>(sender);
    auto* box = qobject_cast<QWidget*>(sender);
    const bool droppedDown = combo != nullptr && combo->view()->isVisible();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (droppedDown)
            combo->hidePopup();
        if (EnterNext)
            StepBox(box, !(shift & Qt::ShiftModifier));
        key = 0;
        break;
    case Qt::Key_Tab:
        StepBox(box, !(shift & Qt::ShiftModifier));
        key = 0;
        break;
    case Qt::Key_Backtab:
        StepBox(box, false);
        key = 0;
        break;
    case Qt::Key_Down:
        if (DropDownKey && !droppedDown) {
            if (combo != nullptr) {
                combo->showPopup();
            }
            key = 0;
        }
        break;
    case Qt::Key_Delete:
        if (combo != nullptr) {
            const bool had = combo->currentIndex() >= 0;
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(-1);
            if (had)
                FieldChange(combo);
            key = 0;
        }
        break;
    default:
        break;
    }
}

void TLedrixExDateEdit::FieldChange(QObject* sender)
{
    if (OnChange)
        OnChange(sender);
}

void TLedrixExDateEdit::FieldClick(QObject* sender)
{
    if (OnClick)
        OnClick(sender);
}

void TLedrixExDateEdit::FieldEnter(QObject* sender)
{
    auto* box = qobject_cast<QWidget*>(sender);
    if (!tabStop_)
        ApplyTabStops(true);
    box->setToolTip(toolTip());
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, focusedColor_);
    box->setPalette(pal);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        if (AutoSelect)
            edit->selectAll();
        else
            edit->setCursorPosition(0);
    }
}

bool TLedrixExDateEdit::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QWidget*>(watched);
    if (box == nullptr || std::find(boxes_.begin(), boxes_.end(), box) == boxes_.end())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* e = static_cast<QKeyEvent*>(event);
        int key = e->key();
        FieldKeyDown(box, key, e->modifiers());
        if (key == 0)
            return true;
        if (!e->text().isEmpty() && key != Qt::Key_Delete) {
            QChar ch = e->text().at(0);
            FieldKeyPress(box, ch);
            if (ch.isNull())
                return true;
        }
        return false;
    }
    case QEvent::FocusIn:
        // Let the box take the focus first, then select in it.
        QMetaObject::invokeMethod(
            this,
            [this, box] {
                if (box->hasFocus())
                    FieldEnter(box);
            },
            Qt::QueuedConnection);
        return false;
    case QEvent::FocusOut: {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, isEnabled() ? color_ : disableColor_);
        box->setPalette(pal);
        return false;
    }
    case QEvent::MouseButtonPress:
        FieldClick(box);
        return false;
    default:
        return false;
    }
}

void TLedrixExDateEdit::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    for (int b : {dbEra, dbYear, dbAmpm, dbHour}) {
        QWidget* box = Box(b);
        if (box->isVisibleTo(this) && box->isEnabled()) {
            box->setFocus(event->reason());
            return;
        }
    }
}

void TLedrixExDateEdit::FocusChanged(QWidget* old, QWidget* now)
{
    const bool wasInside = inside_;
    inside_ = Owns(now);
    if (!wasInside || inside_ || !Owns(old))
        return;
    // Leaving the edit: the popup of a box does not count as leaving.
    if (now != nullptr && (now->window()->windowFlags() & Qt::Popup) == Qt::Popup) {
        inside_ = true;
        return;
    }
    if (!tabStop_)
        ApplyTabStops(false);
    if (!ExitCheck)
        return;
    try {
        Validate();
    } catch (const EAbort&) {
        // Reported and refocused; leaving is where it stops.
    }
}

void TLedrixExDateEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        ApplyColours();
    if (event->type() == QEvent::FontChange) {
        for (auto* label : labels_)
            if (label != nullptr)
                label->setFont(QFont(font().family(), font().pointSize()));
        ArrangeFields();
    }
}
