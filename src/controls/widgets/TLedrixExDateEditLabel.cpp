#include "controls/widgets/TLedrixExDateEditLabel.h"

#include <QPainter>
#include <qdrawutil.h>

TLedrixExDateEditLabel::TLedrixExDateEditLabel(QWidget* parent) : QWidget(parent), background_(228, 228, 228)
{
    setFocusPolicy(Qt::NoFocus);
}

void TLedrixExDateEditLabel::SetCaption(const QString& text)
{
    caption_ = text;
    update();
}

void TLedrixExDateEditLabel::SetBackground(const QColor& colour)
{
    background_ = colour;
    update();
}

void TLedrixExDateEditLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), background_);
    qDrawShadePanel(&p, rect(), palette(), false, 1);
    p.setPen(Qt::black);
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}
