#pragma once
// The print dialog of the data list: no colour, start page or double-sided
// choice, but the paper's orientation (portrait, or landscape which also
// prints the data code). OK is its F12 button.

#include "controls/printdialogs/TPrintDlgBox.h"

class TDataSentakuPrintDlg final : public TPrintDlgBox {
    Q_OBJECT
public:
    explicit TDataSentakuPrintDlg(QWidget* owner = nullptr);

    int PaperOrientation = 0;  // 0 portrait, 1 landscape

    void Setup(bool initFlag) override;
    void ApplyOptions() override;
    void LoadHints() override;

    QLabel* lblOrientation;
    QGroupBox* grpOrientation;
    TxRadioButton* rbPortrait;
    TxRadioButton* rbLandscape;

protected:
    void OkClick(int action) override;
};
