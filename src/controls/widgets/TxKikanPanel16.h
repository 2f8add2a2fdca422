#pragma once
// The period selector: sixteen cells for the sixteen periods of a fiscal
// year (twelve months, a quarter mark after every third month, and the
// settlement cell), from which the user picks one period or a run.

#include "controls/widgets/TxKikanPanelBase.h"

class TxKikanPanel16 : public TxKikanPanelBase {
    Q_OBJECT
public:
    // Set up for the calendar year of today, month-end closing.
    explicit TxKikanPanel16(QWidget* parent = nullptr);

    void SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate) override;

    bool KESSAN() const { return kessan_; }
    void SetKESSAN(bool on);
    int LastNo() const { return year_.LastNo; }
    // The period index of Stno / Edno (the value itself outside 0-15).
    int StMonthNo() const { return PeriodOf(stno_); }
    int EdMonthNo() const { return PeriodOf(edno_); }

    QColor DisabelColor() const { return disabelColor_; }
    void SetDisabelColor(const QColor& c) { SetColour(disabelColor_, c); }
    bool KakuteiMode() const { return kakuteiMode_; }
    void SetKakuteiMode(bool on);
    int KakuteiMNo() const { return kakuteiMNo_; }
    void SetKakuteiMNo(int n);
    QColor KakuteiBackColor() const { return kakuteiBack_; }
    void SetKakuteiBackColor(const QColor& c) { SetColour(kakuteiBack_, c); }
    QColor KakuteiFontColor() const { return kakuteiFont_; }
    void SetKakuteiFontColor(const QColor& c) { SetColour(kakuteiFont_, c); }

protected:
    bool Confirmed(int i) const override { return kakuteiMode_ && i < kakuteiMNo_; }
    QColor ConfirmedBack() const override { return kakuteiBack_; }
    QColor ConfirmedFont() const override { return kakuteiFont_; }
    QColor DisabledSelectedColor() const override { return disabelColor_; }

private:
    int PeriodOf(int cell) const;

    bool kessan_ = true;
    QColor disabelColor_;
    bool kakuteiMode_ = false;
    int kakuteiMNo_ = 0;
    QColor kakuteiBack_{255, 128, 64};
    QColor kakuteiFont_;
};
