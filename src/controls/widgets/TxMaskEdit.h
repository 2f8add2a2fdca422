#pragma once
// The key-navigating masked edit: the platform's masked edit with KeyStyles.

#include <QLineEdit>

#include "controls/KeyStyles.h"

class TxMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TxMaskEdit(QWidget* parent = nullptr);

    TKeyStyles KeyStyles = DefaultKeyStyles;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
