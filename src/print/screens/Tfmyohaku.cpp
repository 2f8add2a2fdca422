#include "print/screens/Tfmyohaku.h"

#include "print/NumericKeyFilter.h"
#include "print/screens/TEditFOL.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

TFolUpDown::TFolUpDown(QWidget* parent, TEditFOL* edit, int minimum, int maximum, int step)
    : QWidget(parent), edit_(edit), min_(minimum), max_(maximum), step_(step)
{
    Up = new QToolButton(this);
    Down = new QToolButton(this);
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    Up->setFocusPolicy(Qt::NoFocus);
    Down->setFocusPolicy(Qt::NoFocus);
    Up->setGeometry(0, 0, 15, 10);
    Down->setGeometry(0, 10, 15, 10);
    resize(15, 20);
    connect(Up, &QToolButton::clicked, this, [this] { Move(1); });
    connect(Down, &QToolButton::clicked, this, [this] { Move(-1); });
}

void TFolUpDown::SetPosition(int value)
{
    edit_->setText(QString::number(std::clamp(value, min_, max_)));
}

void TFolUpDown::Move(int steps)
{
    SetPosition(edit_->Long() + steps * step_);
}

Tfmyohaku::Tfmyohaku(QWidget* parent) : QDialog(parent)
{
    setObjectName("fmyohaku");
    setWindowTitle("設定");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(260, 320);

    auto makeEdit = [this](QWidget* group, int left, int top) {
        auto* edit = new TEditFOL(group);
        edit->setGeometry(left, top, 30, 20);
        edit->setMaxLength(3);
        edit->setText("0");
        edit->installEventFilter(this);
        return edit;
    };

    GroupMargin = new QGroupBox("余白設定", this);
    GroupMargin->setGeometry(8, 4, 244, 150);
    auto* note = new QLabel("逆方向はマイナス （max=100）", GroupMargin);
    note->setGeometry(8, 20, 230, 14);
    auto* picture = new QPlainTextEdit(GroupMargin);
    picture->setReadOnly(true);
    picture->setFocusPolicy(Qt::NoFocus);
    picture->setPlainText("　↓上余白\n→左余白\n(1/10)mm");
    picture->setGeometry(140, 36, 96, 100);
    EditTop = makeEdit(GroupMargin, 28, 68);
    EditLeft = makeEdit(GroupMargin, 88, 33 + 70);
    UpDownTop = new TFolUpDown(GroupMargin, EditTop, -100, 100, 10);
    UpDownTop->move(58, 68);
    UpDownLeft = new TFolUpDown(GroupMargin, EditLeft, -100, 100, 10);
    UpDownLeft->move(118, 103);

    GroupSpacing = new QGroupBox("行間隔・文字間隔", this);
    GroupSpacing->setGeometry(8, 160, 244, 86);
    auto* vertical = new QLabel("縦補正", GroupSpacing);
    vertical->setGeometry(30, 27, 56, 16);
    auto* horizontal = new QLabel("横補正", GroupSpacing);
    horizontal->setGeometry(30, 51, 56, 16);
    auto* unit = new QLabel("(1/10) ％", GroupSpacing);
    unit->setGeometry(140, 27, 80, 16);
    auto* limit = new QLabel("(max=50)", GroupSpacing);
    limit->setGeometry(140, 51, 80, 16);
    EditVertical = makeEdit(GroupSpacing, 89, 25);
    EditHorizontal = makeEdit(GroupSpacing, 89, 49);
    UpDownVertical = new TFolUpDown(GroupSpacing, EditVertical, -50, 50, 1);
    UpDownVertical->move(119, 25);
    UpDownHorizontal = new TFolUpDown(GroupSpacing, EditHorizontal, -50, 50, 1);
    UpDownHorizontal->move(119, 49);

    BtnOK = new QPushButton("ＯＫ", this);
    BtnOK->setGeometry(90, 256, 80, 28);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &Tfmyohaku::BtnOKClick);

    setTabOrder(EditTop, EditLeft);
    setTabOrder(EditLeft, EditVertical);
    setTabOrder(EditVertical, EditHorizontal);
    setTabOrder(EditHorizontal, BtnOK);
}

void Tfmyohaku::ShowSpacing(bool show)
{
    GroupSpacing->setVisible(show);
    BtnOK->move(90, show ? 256 : 160);
    setFixedSize(260, show ? 320 : 220);
}

void Tfmyohaku::SetTopMargin(int value)
{
    if (value == top_)
        return;
    UpDownTop->SetPosition(value);
    top_ = value;
}

void Tfmyohaku::SetLeftMargin(int value)
{
    if (value == left_)
        return;
    UpDownLeft->SetPosition(value);
    left_ = value;
}

void Tfmyohaku::SetVRatio(int value)
{
    UpDownVertical->SetPosition(value >= 950 && value <= 1050 ? value - 1000 : 0);
    vRatio_ = value;
}

void Tfmyohaku::SetHRatio(int value)
{
    UpDownHorizontal->SetPosition(value >= 950 && value <= 1050 ? value - 1000 : 0);
    hRatio_ = value;
}

void Tfmyohaku::EditExit(TEditFOL* edit)
{
    const bool margin = edit == EditTop || edit == EditLeft;
    const int limit = margin ? 100 : 50;
    const int value = std::clamp(edit->text().toInt(), -limit, limit);
    if (value != edit->text().toInt() || edit->text().isEmpty())
        edit->setText(QString::number(value));
    if (edit == EditTop)
        top_ = value;
    else if (edit == EditLeft)
        left_ = value;
    else if (edit == EditVertical)
        vRatio_ = value + 1000;
    else
        hRatio_ = value + 1000;
}

void Tfmyohaku::BtnOKClick()
{
    top_ = EditTop->text().toInt();
    left_ = EditLeft->text().toInt();
    vRatio_ = EditVertical->text().toInt() + 1000;
    hRatio_ = EditHorizontal->text().toInt() + 1000;
    accept();
}

bool Tfmyohaku::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<TEditFOL*>(watched);
    if (!edit)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        EditExit(edit);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || text.isEmpty())
            return false;
        const char32_t ch = text.at(0).unicode();
        if ((ch < 32 && ch != 8) || ch == 127)
            return false;
        const bool whole = !edit->text().isEmpty() && edit->selectedText() == edit->text();
        if (!NumericKeyAllowed(ch, edit->text().toStdString(), whole, kfSigned))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
