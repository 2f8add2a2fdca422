#pragma once
// A unit label of the segmented date edit (年, 月, 日, ...): its text centred
// on one line over its own background, inside a raised edge.

#include <QWidget>

class TLedrixExDateEditLabel : public QWidget {
    Q_OBJECT
public:
    explicit TLedrixExDateEditLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& text);
    QString Caption() const { return caption_; }
    void SetBackground(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor background_;
};
