#pragma once
// The application's hint window: the platform's tool tip, in the "System"
// face. A hint is written "short|long": the window shows the short part (the
// text before the first "|"), the long part belongs to the forms' hint
// memos; a hint whose short part is empty shows no window.

#include <QObject>

class QFont;

class TBigHintWindow final : public QObject {
    Q_OBJECT
public:
    // Makes it the application's hint window; needs the application object.
    // An open hint closes, so the next one already comes from it. Later
    // calls change nothing.
    static void Install();
    static bool Installed();
    static QFont HintFont();
    // The text the window shows for a hint.
    static QString ShortHint(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TBigHintWindow(QObject* parent) : QObject(parent) {}
};
