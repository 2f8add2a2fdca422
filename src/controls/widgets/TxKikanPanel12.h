#pragma once
// The 12-cell twin of the period selector: the twelve months only.

#include "controls/widgets/TxKikanPanelBase.h"

class TxKikanPanel12 : public TxKikanPanelBase {
    Q_OBJECT
public:
    explicit TxKikanPanel12(QWidget* parent = nullptr);

    void SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate) override;
    // Both writers keep the pair within the selectable cells and in order.
    void SetStno(int value) override;
    void SetEdno(int value) override;

    int LastNo() const { return year_.LastNo; }
    int StMonNo() const { return stno_ >= 0 && stno_ < 12 ? Kikan12Period(stno_) : stno_; }
    int EdMonNo() const { return edno_ >= 0 && edno_ < 12 ? Kikan12Period(edno_) : edno_; }

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
    bool EnterClearsKbdMouse() const override { return false; }

private:
    void SetPair(int st, int ed);

    bool kakuteiMode_ = false;
    int kakuteiMNo_ = 0;
    QColor kakuteiBack_{255, 128, 64};
    QColor kakuteiFont_;
};
