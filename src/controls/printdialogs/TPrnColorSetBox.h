#pragma once
// The colour dialog of the reports: the colours of frame lines, grid lines,
// heading rows and total rows, each changed through the platform's colour
// dialog. Per report (PerReport on) the caller keeps the result; otherwise
// the colours become the operator's environment colours and are written to
// the operator's SYSDEF row at OK.
//
// The caller sets the four colours and PerReport, calls Setup, runs exec()
// (1 OK, 2 cancel) and reads the four colours after OK. The colour dialog's
// sixteen custom colours are kept per operator in the system database
// ("Pallet_CustomColor"): loaded by Setup, stored when the dialog closes.

#include "controls/widgets/TBSDI.h"

#include <QColor>
#include <array>
#include <cstdint>
#include <string>

class QColorDialog;
class QFrame;
class QLabel;
class TxPlButton;

class TPrnColorSetBox final : public TBSDI {
    Q_OBJECT
public:
    static constexpr const char* PaletteStyleName = "Pallet_CustomColor";

    explicit TPrnColorSetBox(QWidget* owner = nullptr);

    // $BBGGRR colours, written before Setup and read after OK.
    std::int32_t FrameLineColor = 0;
    std::int32_t GridLineColor = 0;
    std::int32_t HeadingColor = 0;
    std::int32_t TotalColor = 0;
    bool PerReport = false;

    void Setup(bool initFlag);

    // The custom colours of the colour dialog as the lines "ColorA=FFFFFF"
    // ... "ColorP=FFFFFF" (hex $BBGGRR); a line missing or unreadable is
    // white.
    static std::array<QColor, 16> PaletteFromLines(const std::string& lines);
    static std::string PaletteLines(const std::array<QColor, 16>& colours);

    static constexpr int RowCount = 4;
    std::array<QFrame*, RowCount> Panels{};
    std::array<TxPlButton*, RowCount> ChangeButtons{};
    QLabel* lblReset;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;
    QColorDialog* ColorDialog1;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChangeClick(int row);
    void ResetClick();
    void OkClick();
    void PaintPanel(int row, std::int32_t colour);
    std::int32_t PanelColour(int row) const;

    bool initFlag_ = false;
};
