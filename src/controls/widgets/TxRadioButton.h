#pragma once
// The key-navigating radio button: a key of its KeyStyles moves the focus and
// steps neither to the next button of its group nor
// presses the form's default button.

#include <QRadioButton>

#include "controls/KeyStyles.h"

class TxRadioButton : public QRadioButton {
    Q_OBJECT
public:
    explicit TxRadioButton(QWidget* parent = nullptr);
    explicit TxRadioButton(const QString& text, QWidget* parent = nullptr);

    TKeyStyles KeyStyles = DefaultKeyStyles;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
