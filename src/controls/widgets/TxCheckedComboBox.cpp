#include "controls/widgets/TxCheckedComboBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/widgets/FocusMove.h"
#include "controls/widgets/VclColors.h"

namespace {

// The drop-down button's pictures: a dark downward chevron on a pale blue,
// a lighter blue, a deeper blue or a grey face.
QPixmap DropDownPicture(const QString& name)
{
    QColor face(205, 225, 245);
    QColor chevron(40, 40, 60);
    if (name.endsWith(QLatin1String("HOT")))
        face = QColor(225, 240, 255);
    else if (name.endsWith(QLatin1String("PRESS")))
        face = QColor(160, 195, 235);
    else if (name.endsWith(QLatin1String("GRAY"))) {
        face = QColor(225, 225, 225);
        chevron = QColor(150, 150, 150);
    }
    QPixmap pixmap(16, 16);
    pixmap.fill(face);
    QPainter p(&pixmap);
    p.setPen(QPen(chevron, 2));
    p.drawLine(4, 6, 8, 10);
    p.drawLine(8, 10, 12, 6);
    return pixmap;
}

}  // namespace

TxCheckedComboBox::TxCheckedComboBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    textArea_ = new QLabel(this);
    textArea_->setFrameStyle(QFrame::Box | QFrame::Plain);
    textArea_->setAutoFillBackground(true);
    textArea_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    textArea_->setFocusPolicy(Qt::NoFocus);
    textArea_->installEventFilter(this);
    button_ = new QLabel(this);
    button_->setScaledContents(true);
    button_->setAttribute(Qt::WA_Hover);
    button_->installEventFilter(this);

    popup_ = new QFrame(this, Qt::Popup | Qt::FramelessWindowHint);
    popup_->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(popup_);
    layout->addWidget(list_);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->installEventFilter(this);
    popup_->installEventFilter(this);
    menu_ = new QMenu(list_);
    selectAll_ = menu_->addAction(CapSelectAll, this, [this] { CheckAll(); });
    deselectAll_ = menu_->addAction(CapDeSelectAll, this, [this] { UncheckAll(); });
    connect(list_, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(list_->viewport()->mapToGlobal(pos)); });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ItemChanged(item); });

    resize(120, 20);
    Layout();
    ShowPicture(QStringLiteral("DROPDOWN_NORMAL"));
    UpdateText();
    ColourTextArea();
}

TxCheckedComboBox::~TxCheckedComboBox() = default;

void TxCheckedComboBox::SetItems(const QStringList& items)
{
    QStringList copy = items;
    if (sorted_)
        copy.sort();
    std::vector<std::string> texts;
    for (const QString& item : copy)
        texts.push_back(item.toStdString());
    state_.SetItems(std::move(texts));
    FillList();
    UpdateText();
}

QStringList TxCheckedComboBox::Items() const
{
    QStringList items;
    for (const std::string& item : state_.Items())
        items << QString::fromStdString(item);
    return items;
}

void TxCheckedComboBox::SetSorted(bool on)
{
    sorted_ = on;
    if (on)
        SetItems(Items());
}

void TxCheckedComboBox::SetMultiSelect(bool on)
{
    state_.MultiSelect = on;
    selectAll_->setEnabled(on);
}

void TxCheckedComboBox::SetEmptyValue(const QString& text)
{
    state_.EmptyValue = text.toStdString();
    if (isVisible() && !hasFocus())
        UpdateText();
}

void TxCheckedComboBox::SetDispStyle(TCHBDispStyle style)
{
    state_.DispStyle = style;
    UpdateText();
}

void TxCheckedComboBox::SetKensuValueFormat(const QString& format)
{
    state_.KensuValueFormat = format.toStdString();
    UpdateText();
}

void TxCheckedComboBox::SetSortDisplay(bool on)
{
    state_.SortDisplay = on;
    UpdateText();
}

void TxCheckedComboBox::SetDropDownLines(int lines)
{
    if (lines >= 1 && lines <= 20)
        dropDownLines_ = lines;
}

void TxCheckedComboBox::FillList()
{
    filling_ = true;
    list_->clear();
    for (const std::string& text : state_.Items()) {
        auto* item = new QListWidgetItem(QString::fromStdString(text), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    filling_ = false;
}

void TxCheckedComboBox::SetChecked(int index, bool checked)
{
    QListWidgetItem* item = list_->item(index);
    if (item != nullptr)
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TxCheckedComboBox::ItemChanged(QListWidgetItem* item)
{
    if (filling_)
        return;
    const int index = list_->row(item);
    const bool checked = item->checkState() == Qt::Checked;
    if (checked == state_.IsChecked(index))
        return;
    state_.SetChecked(index, checked);
    // Without MultiSelect the state unchecked the others; the list follows.
    filling_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(state_.IsChecked(i) ? Qt::Checked : Qt::Unchecked);
    filling_ = false;
    UpdateText();
    if (OnChange)
        OnChange(this);
    if (OnClickCheck)
        OnClickCheck(this);
}

void TxCheckedComboBox::CheckAll()
{
    if (!state_.MultiSelect)
        return;
    state_.CheckAll();
    filling_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Checked);
    filling_ = false;
    UpdateText();
    update();
    if (OnChange)
        OnChange(this);
}

void TxCheckedComboBox::UncheckAll()
{
    state_.UncheckAll();
    filling_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Unchecked);
    filling_ = false;
    UpdateText();
    if (OnChange)
        OnChange(this);
}

void TxCheckedComboBox::UpdateText()
{
    textArea_->setText(QString::fromStdString(state_.DisplayText()));
}

void TxCheckedComboBox::ShowPicture(const QString& name)
{
    picture_ = name;
    button_->setPixmap(DropDownPicture(name));
}

bool TxCheckedComboBox::ListOpen() const
{
    return popup_->isVisible();
}

void TxCheckedComboBox::OpenList()
{
    ShowPicture(QStringLiteral("DROPDOWN_PRESS"));
    setFocus(Qt::MouseFocusReason);
    if (state_.Items().empty())
        return;
    if (closedByButton_) {
        closedByButton_ = false;
        return;
    }
    if (OnClick)
        OnClick(this);
    listLines_ = CheckedComboListLines(dropDownLines_, Columns, static_cast<int>(state_.Items().size()));
    list_->setFont(font());
    const int itemHeight = std::max(list_->sizeHintForRow(0), QFontMetrics(font()).height());
    const int w = std::max(width(), DropDownWidth);
    const int h = listLines_ * itemHeight + 4;
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QScreen* screen = this->screen();
    if (screen != nullptr && at.y() + h > screen->geometry().height() - 20)
        at = mapToGlobal(QPoint(0, -h));
    selectAll_->setText(CapSelectAll);
    deselectAll_->setText(CapDeSelectAll);
    popup_->setGeometry(at.x(), at.y(), w, h);
    popup_->show();
    list_->setFocus();
    update();
    if (OnButtonClick)
        OnButtonClick(this);
}

void TxCheckedComboBox::ListClosed()
{
    ShowPicture(isEnabled() ? QStringLiteral("DROPDOWN_NORMAL") : QStringLiteral("DROPDOWN_GRAY"));
    closedByButton_ = button_->rect().contains(button_->mapFromGlobal(QCursor::pos())) && button_->underMouse();
    update();
    setFocus(Qt::OtherFocusReason);
    if (OnCloseUp)
        OnCloseUp(this);
}

bool TxCheckedComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == popup_ && event->type() == QEvent::Hide) {
        ListClosed();
        return false;
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_Escape) {
            popup_->hide();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if ((enter || key->key() == Qt::Key_Tab) && mods == Qt::NoModifier) {
            popup_->hide();
            MoveFocusInForm(this, true);
            return true;
        }
        if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
            popup_->hide();
            MoveFocusInForm(this, false);
            return true;
        }
        return false;
    }
    if (watched == textArea_ && event->type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        if (OnPanelClick)
            OnPanelClick(this);
        return true;
    }
    if (watched == button_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                OpenList();
            return true;
        case QEvent::Enter:
            if (!ListOpen() && isEnabled())
                ShowPicture(QStringLiteral("DROPDOWN_HOT"));
            return false;
        case QEvent::Leave:
            if (!ListOpen() && isEnabled())
                ShowPicture(QStringLiteral("DROPDOWN_NORMAL"));
            return false;
        default:
            return false;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TxCheckedComboBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F4) {
        OpenList();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        MoveFocusInForm(this, true);
        e->accept();
        return;
    }
    QFrame::keyPressEvent(e);
}

void TxCheckedComboBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    update();
    QFrame::mousePressEvent(e);
}

void TxCheckedComboBox::ColourTextArea()
{
    QPalette pal = textArea_->palette();
    const bool focused = hasFocus();
    pal.setColor(QPalette::Window, focused ? vcl::clHighlight() : vcl::clWhite);
    QColor text = focused ? vcl::clWhite : palette().color(QPalette::WindowText);
    if (!isEnabled())
        text = vcl::clGrayText;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(g, QPalette::WindowText, text);
    textArea_->setPalette(pal);
}

void TxCheckedComboBox::focusInEvent(QFocusEvent* e)
{
    QFrame::focusInEvent(e);
    ColourTextArea();
}

void TxCheckedComboBox::focusOutEvent(QFocusEvent* e)
{
    QFrame::focusOutEvent(e);
    ColourTextArea();
}

void TxCheckedComboBox::Layout()
{
    const int h = QFontMetrics(font()).height() + 8;
    if (height() != h)
        resize(width(), h);
    textArea_->setGeometry(0, 0, std::max(width() - h - 3, 0), h);
    button_->setGeometry(width() - h, 0, h - 4, h - 4);
    update();
}

void TxCheckedComboBox::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    Layout();
}

void TxCheckedComboBox::changeEvent(QEvent* e)
{
    QFrame::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        textArea_->setFont(font());
        Layout();
    } else if (e->type() == QEvent::EnabledChange) {
        ShowPicture(isEnabled() ? QStringLiteral("DROPDOWN_NORMAL") : QStringLiteral("DROPDOWN_GRAY"));
        ColourTextArea();
    }
}
