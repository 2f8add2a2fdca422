#include "foundation/screens/WindowText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>

QWidget* FindWindowEx2(const QString& className, const QString& windowName)
{
    if (className.compare(QStringLiteral("desktop"), Qt::CaseInsensitive) == 0)
        return nullptr;
    if (className.isEmpty() && windowName.isEmpty())
        return nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!className.isEmpty() && className != QLatin1String(w->metaObject()->className()))
            continue;
        if (!windowName.isEmpty() && windowName != w->windowTitle())
            continue;
        return w;
    }
    return nullptr;
}

int GetTextWidth(const QString& text, const QFont& font, double factor)
{
    // Measured on an image as on a bitmap's canvas: the width does not
    // depend on whichever screen a window happens to be on.
    QImage canvas(1, 1, QImage::Format_RGB32);
    const QFontMetrics metrics(font, &canvas);
    return static_cast<int>(metrics.horizontalAdvance(text) * factor);
}
