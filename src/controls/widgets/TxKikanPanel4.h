#pragma once
// The 4-cell twin of the period selector: four quarters, or two half-years
// ("上", "下") with BtnCnt 2. At the ends, Left and Right stop at the first
// and last selectable cell, as in the other selectors.

#include "controls/widgets/TxKikanPanelBase.h"

class TxKikanPanel4 : public TxKikanPanelBase {
    Q_OBJECT
public:
    explicit TxKikanPanel4(QWidget* parent = nullptr);

    void SetupPeriod(int closingDay, TDateTime fiscalStart, TDateTime fiscalEnd, TDateTime startDate) override;
    void SetStno(int value) override;
    void SetEdno(int value) override;

    int BtnCnt() const { return btnCnt_; }
    // Only 2 and 4 are taken.
    void SetBtnCnt(int count);

protected:
    bool EnterClearsKbdMouse() const override { return false; }
    int LayoutCellCount() const override { return btnCnt_; }

private:
    int btnCnt_ = 4;
};
