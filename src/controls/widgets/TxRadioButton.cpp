#include "controls/widgets/TxRadioButton.h"

#include <QKeyEvent>

#include "controls/widgets/FocusMove.h"

TxRadioButton::TxRadioButton(QWidget* parent) : QRadioButton(parent) {}
TxRadioButton::TxRadioButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {}

void TxRadioButton::keyPressEvent(QKeyEvent* e)
{
    if (!HandleButtonNavKey(this, e, KeyStyles))
        QRadioButton::keyPressEvent(e);
}
