#pragma once
// The older date edit on the masked edit: a date typed into a mask of its
// style, in Western or era form (the era year then always two digits), with
// a range from a start to an end date. Only the year-month-day and the
// month-day styles are taken.

#include "controls/MaskedDateRules.h"
#include "controls/widgets/TxMaskEdit.h"

class TLedrixDateEdit : public TxMaskEdit {
    Q_OBJECT
public:
    explicit TLedrixDateEdit(QWidget* parent = nullptr);

    // False (and nothing changes) for a style the edit does not take.
    bool SetDateStyle(TLedrixDateStyle style);
    TLedrixDateStyle DateStyle() const { return style_; }
    void SetEraEntry(bool on);
    bool EraEntry() const { return eraEntry_; }
    void SetFourDigits(bool on);
    void SetEraTable(const TGengoArray& eras);

    // The range; with era entry and a style without a year, the end is held
    // within twelve months of the start.
    void SetRange(TDateTime from, TDateTime to);
    TDateTime FromDate() const { return from_; }
    TDateTime ToDate() const { return to_; }

    void SetDate(TDateTime date);
    // The typed date, 0 when the text is none.
    TDateTime Date() const;

private:
    void ApplyMask();

    TLedrixDateStyle style_ = ldsYearMonthDay;
    bool eraEntry_ = false;
    bool fourDigits_ = true;
    TGengoArray eras_;
    TDateTime from_ = 0;
    TDateTime to_ = 0;
};
