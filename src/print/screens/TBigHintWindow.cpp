#include "print/screens/TBigHintWindow.h"

#include <QApplication>
#include <QFont>
#include <QHelpEvent>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

namespace {

QPointer<TBigHintWindow>& Instance()
{
    static QPointer<TBigHintWindow> instance;
    return instance;
}

}  // namespace

void TBigHintWindow::Install()
{
    if (Installed() || !qApp)
        return;
    Instance() = new TBigHintWindow(qApp);
    qApp->installEventFilter(Instance());
    QToolTip::setFont(HintFont());
    QToolTip::hideText();
}

bool TBigHintWindow::Installed()
{
    return !Instance().isNull();
}

QFont TBigHintWindow::HintFont()
{
    // No face of that name exists here; the style hint lets the font
    // matching pick the system's own user-interface face for it.
    QFont font(QStringLiteral("System"));
    font.setStyleHint(QFont::System);
    return font;
}

QString TBigHintWindow::ShortHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

bool TBigHintWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->toolTip().isEmpty())
        return false;
    const QString text = ShortHint(widget->toolTip());
    const auto* help = static_cast<QHelpEvent*>(event);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, widget, {}, widget->toolTipDuration());
    return true;
}
