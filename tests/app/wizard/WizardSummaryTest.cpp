#include "app/wizard/WizardSummary.h"

#include "platform/DateTime.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

namespace {

// The summary of a corporation's year from April 2025, month-end closing.
TWizardSummary Year(int startCell, int endCell, int lastCell = 15)
{
    TWizardSummary s;
    s.CompanyName = "A&B商事";
    s.Nendo = 7;
    s.FiscalStart = EncodeDate(2025, 4, 1);
    s.FiscalEnd = EncodeDate(2026, 3, 31);
    s.ClosingDay = 99;
    s.StartCell = startCell;
    s.EndCell = endCell;
    s.LastCell = lastCell;
    return s;
}

TEST(WizardSummaryTest, WholeYearWithAFileUnderTheDocumentsFolder)
{
    ScopedEnv documents("LEDRIX_DOCUMENTS", "/tmp");
    TWizardSummary s = Year(0, 15);
    s.TaxMode = 1;
    s.WithFile = true;
    s.FileName = "ug.xml";
    EXPECT_EQ(MakeSummaryLines(s), (std::vector<std::string>{
                                       "【連動元情報】",
                                       " 会社名        : A&B商事",
                                       " 会計年度      : 7 期",
                                       " 会計期間      : 2025年 4月 1日 ～ 2026年 3月31日",
                                       "",
                                       "【計算条件】",
                                       // The annual settlement falls in the twelfth month.
                                       " 計算対象期間  : 2025年 4月 ～ 26年 3月",
                                       " 消費税計算区分: 税抜き",
                                       "",
                                       "【中間ファイル】",
                                       " /tmp/ug.xml",
                                   }));
    s.FileName = "/srv/out/ug.xml";
    EXPECT_EQ(MakeSummaryLines(s).back(), " /srv/out/ug.xml");
}

TEST(WizardSummaryTest, RangeLines)
{
    struct Case {
        int start, end, last;
        const char* line;
    } cases[] = {
        // A data set that starts in the fourth month of its year.
        {4, 15, 15, " 計算対象期間  : 2025年 7月 ～ 26年 3月"},
        {4, 4, 15, " 計算対象期間  : 2025年 7月"},
        // A quarter settlement falls in the month before it.
        {0, 7, 15, " 計算対象期間  : 2025年 4月 ～ 25年 9月"},
        // A short year ending on its last cell takes the month before.
        {0, 11, 11, " 計算対象期間  : 2025年 4月 ～ 25年12月"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = MakeSummaryLines(Year(c.start, c.end, c.last));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[6], c.line) << c.start << "-" << c.end << "/" << c.last;
        EXPECT_EQ(lines[7], " 消費税計算区分: 税込み");
    }
}

TEST(WizardSummaryTest, YearNumberZeroShowsADash)
{
    TWizardSummary s = Year(0, 15);
    s.Nendo = 0;
    EXPECT_EQ(MakeSummaryLines(s)[2], " 会計年度      : - 期");
}

TEST(WizardSummaryTest, KikanDatesFollowTheClosingDay)
{
    const TKikanRange range = GetKikanDate(1, 14, 15, 20, EncodeDate(2025, 4, 21));
    EXPECT_EQ(range.Start, EncodeDate(2025, 6, 20));
    EXPECT_EQ(range.End, EncodeDate(2026, 4, 20));
    EXPECT_EQ(KikanMonth(15), 12);
    EXPECT_EQ(KikanMonth(16), 0);
}

}  // namespace
