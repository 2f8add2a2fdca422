#include "controls/widgets/TxPFbtn.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// The function key a button name stands for; -1 for any other name.
int FunctionKeyOf(const QString& name)
{
    if (name == QLatin1String("ESC"))
        return 0;
    for (int n = 1; n <= 10; ++n)
        if (name == QStringLiteral("F%1").arg(n))
            return n;
    return -1;
}
}  // namespace

TxPFbtn::TxPFbtn(const QString& name, QWidget* parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { Rise(); });
}

void TxPFbtn::Rise()
{
    timer_.stop();
    outline_ = false;
    setFrameShadow(QFrame::Raised);
    update();
}

void TxPFbtn::mousePressEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (OnMouseDown)
        OnMouseDown(this, e->button(), e->modifiers(), pos.x(), pos.y());
    if (e->button() != Qt::LeftButton)
        return;
    setFrameShadow(QFrame::Sunken);
    outline_ = true;
    repaint();
    timer_.start(200);
}

void TxPFbtn::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    if (OnMouseUp)
        OnMouseUp(this, e->button(), e->modifiers(), pos.x(), pos.y());
    Rise();
    if (e->button() != Qt::LeftButton)
        return;
    const int key = FunctionKeyOf(objectName());
    if (key >= 0 && window() != this)
        window()->setProperty("Tag", key);
    if (rect().contains(pos) && OnClick)
        OnClick(this);
}

void TxPFbtn::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    if (!outline_)
        return;
    QPainter p(this);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
