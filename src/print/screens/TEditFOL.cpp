#include "print/screens/TEditFOL.h"

TEditFOL::TEditFOL(QWidget* parent) : TxEdit(parent)
{
    SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetKeyEdit3D(false);
    SetImeMode(imDisable);
}
