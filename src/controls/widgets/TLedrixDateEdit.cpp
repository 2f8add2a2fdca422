#include "controls/widgets/TLedrixDateEdit.h"

#include "controls/widgets/SystemEras.h"

TLedrixDateEdit::TLedrixDateEdit(QWidget* parent) : TxMaskEdit(parent), eras_(SystemEraList())
{
    ApplyMask();
}

bool TLedrixDateEdit::SetDateStyle(TLedrixDateStyle style)
{
    if (!LedrixDateStyleTaken(style))
        return false;
    const TDateTime date = Date();
    style_ = style;
    ApplyMask();
    if (date > 0)
        SetDate(date);
    return true;
}

void TLedrixDateEdit::SetEraEntry(bool on)
{
    const TDateTime date = Date();
    eraEntry_ = on;
    ApplyMask();
    to_ = LedrixDateRangeEnd(style_, eraEntry_, from_, to_);
    if (date > 0)
        SetDate(date);
}

void TLedrixDateEdit::SetFourDigits(bool on)
{
    const TDateTime date = Date();
    fourDigits_ = on;
    ApplyMask();
    if (date > 0)
        SetDate(date);
}

void TLedrixDateEdit::SetEraTable(const TGengoArray& eras)
{
    eras_ = eras;
}

void TLedrixDateEdit::SetRange(TDateTime from, TDateTime to)
{
    from_ = from;
    to_ = LedrixDateRangeEnd(style_, eraEntry_, from, to);
}

void TLedrixDateEdit::ApplyMask()
{
    const std::string mask = LedrixDateMask(style_, eraEntry_ || !fourDigits_);
    setInputMask(QString::fromStdString(QtEditMask(mask)));
}

void TLedrixDateEdit::SetDate(TDateTime date)
{
    setText(QString::fromStdString(LedrixDateText(style_, eraEntry_, fourDigits_, date, eras_)));
}

TDateTime TLedrixDateEdit::Date() const
{
    return LedrixDateValue(style_, eraEntry_, fourDigits_, text().toStdString(), from_, eras_, ::Date());
}
