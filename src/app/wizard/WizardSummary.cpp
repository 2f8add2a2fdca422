#include "app/wizard/WizardSummary.h"

#include "app/export/RendoFile.h"
#include "calc/FiscalDates.h"
#include "foundation/EraText.h"

#include <array>

namespace {

constexpr std::array<int, 16> KikanMonthTable = {1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 11, 12, 12};

std::string DateText(const char* pattern, TDateTime date)
{
    std::string text;
    FormatWarekiDateJ(pattern, 1, text, date);
    return text;
}

}  // namespace

int KikanMonth(int cell)
{
    return cell >= 0 && cell < 16 ? KikanMonthTable[static_cast<std::size_t>(cell)] : 0;
}

TKikanRange GetKikanDate(int startCell, int endCell, int lastCell, int closingDay, TDateTime fiscalStart)
{
    TKikanRange range;
    range.Start = ClosingDayDate(KikanMonth(startCell) - 1, closingDay, fiscalStart);
    const int endMonthCell = lastCell != 15 && endCell == lastCell ? endCell - 1 : endCell;
    range.End = ClosingDayDate(KikanMonth(endMonthCell) - 1, closingDay, fiscalStart);
    return range;
}

std::vector<std::string> MakeSummaryLines(const TWizardSummary& s)
{
    std::vector<std::string> lines;
    lines.push_back("【連動元情報】");
    lines.push_back(" 会社名        : " + s.CompanyName);
    lines.push_back(s.Nendo > 0 ? " 会計年度      : " + std::to_string(s.Nendo) + " 期" : " 会計年度      : - 期");
    lines.push_back(" 会計期間      : " + DateText("yyyy年m月d日", s.FiscalStart) + " ～ " +
                    DateText("yyyy年m月d日", s.FiscalEnd));
    lines.push_back("");
    lines.push_back("【計算条件】");
    const TKikanRange range = GetKikanDate(s.StartCell, s.EndCell, s.LastCell, s.ClosingDay, s.FiscalStart);
    if (s.StartCell == s.EndCell)
        lines.push_back(" 計算対象期間  : " + DateText("yyyy年m月", range.Start));
    else
        lines.push_back(" 計算対象期間  : " + DateText("yyyy年m月", range.Start) + " ～ " +
                        DateText("yy年m月", range.End));
    lines.push_back(s.TaxMode == 0 ? " 消費税計算区分: 税込み" : " 消費税計算区分: 税抜き");
    if (s.WithFile) {
        lines.push_back("");
        lines.push_back("【中間ファイル】");
        // A bare name is saved in the documents folder; the summary says so.
        lines.push_back(" " + RendoFilePath(s.FileName));
    }
    return lines;
}
