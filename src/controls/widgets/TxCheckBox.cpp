#include "controls/widgets/TxCheckBox.h"

#include <QKeyEvent>

#include "controls/widgets/FocusMove.h"

TxCheckBox::TxCheckBox(QWidget* parent) : QCheckBox(parent) {}
TxCheckBox::TxCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

void TxCheckBox::keyPressEvent(QKeyEvent* e)
{
    if (!HandleButtonNavKey(this, e, KeyStyles))
        QCheckBox::keyPressEvent(e);
}
