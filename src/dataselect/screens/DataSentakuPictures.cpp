#include "dataselect/screens/DataSentakuPictures.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int Size = 16;

QPixmap Blank()
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon Lock()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawArc(QRectF(4, 1, 8, 9), 0, 180 * 16);
    p.drawLine(QPointF(4, 5.5), QPointF(4, 8));
    p.drawLine(QPointF(12, 5.5), QPointF(12, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(212, 160, 23));
    p.drawRoundedRect(QRectF(2, 7, 12, 8), 1.5, 1.5);
    return QIcon(pixmap);
}

QIcon Shared()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 64, 128), 1));
    p.setBrush(QColor(120, 170, 230));
    p.drawRect(QRectF(1.5, 2.5, 9, 7));
    p.setBrush(QColor(80, 140, 210));
    p.drawRect(QRectF(5.5, 6.5, 9, 7));
    return QIcon(pixmap);
}

QIcon Cloud()
{
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 150, 220));
    p.drawEllipse(QRectF(1, 6, 8, 7));
    p.drawEllipse(QRectF(4, 2, 9, 9));
    p.drawEllipse(QRectF(8, 6, 7, 7));
    return QIcon(pixmap);
}

}  // namespace

QIcon DataListPicture(int index)
{
    switch (index) {
    case 1:
        return Lock();
    case 2:
        return Shared();
    default:
        return QIcon(Blank());
    }
}

QIcon CloudPicture(int index)
{
    return index == 1 ? Cloud() : QIcon(Blank());
}
