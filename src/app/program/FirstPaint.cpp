#include "app/program/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& widget, std::function<void()> call) : QObject(&widget), call_(std::move(call))
    {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && call_) {
            watched->removeEventFilter(this);
            // Queued, so that the paint itself is done first.
            QTimer::singleShot(0, std::move(call_));
            call_ = nullptr;
        }
        return false;
    }

private:
    std::function<void()> call_;
};

}  // namespace

void CallAfterFirstPaint(QWidget& widget, std::function<void()> call)
{
    new FirstPaintWatch(widget, std::move(call));
}
