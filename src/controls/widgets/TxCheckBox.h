#pragma once
// The key-navigating check box: a key of its KeyStyles moves the focus and
// never reaches the form's default button.

#include <QCheckBox>

#include "controls/KeyStyles.h"

class TxCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TxCheckBox(QWidget* parent = nullptr);
    explicit TxCheckBox(const QString& text, QWidget* parent = nullptr);

    TKeyStyles KeyStyles = DefaultKeyStyles;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
