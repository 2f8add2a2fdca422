#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TPerfectGrid.h"

namespace {

class PerfectGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = form.Add<TPerfectGrid>();
        grid->resize(400, 300);
        grid->SetCols(2);
        grid->InsertRows(0, 12);
        for (int r = 0; r < 12; ++r)
            grid->SetCellText(r, 0, QStringLiteral("データ%1").arg(r));
        grid->OnCellClick = [this](int r, int c) { clicks.emplace_back(r, c); };
        grid->OnCellGotFocus = [this](int r, int) { gotRow = r; };
        form.ShowActive();
    }
    TestForm form;
    TPerfectGrid* grid = nullptr;
    std::vector<std::pair<int, int>> clicks;
    int gotRow = -2;
};

TEST_F(PerfectGridTest, NoCurrentRowAnswers32700ThenKeysMoveTheCursor)
{
    TPerfectGrid empty;
    EXPECT_EQ(empty.CurRow(), TPerfectGrid::NoRow);
    grid->MoveCursor(0, 0);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->CurRow(), 1);
    EXPECT_EQ(gotRow, 1);
}

TEST_F(PerfectGridTest, ClicksReportCellAndHeaderRow)
{
    const QRect cell = grid->visualItemRect(grid->item(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(3, 0));
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1], std::make_pair(-1, 1));
}

TEST_F(PerfectGridTest, RowHeaderColumnKeepsAValueWhileHidden)
{
    grid->SetColWidth(-1, 0);
    grid->SetCellValue(5, -1, 42);
    EXPECT_EQ(grid->CellValue(5, -1).toInt(), 42);
    EXPECT_EQ(grid->ColWidth(-1), 0);
    EXPECT_THROW(grid->SetCellText(12, 0, QStringLiteral("x")), std::out_of_range);
}

}  // namespace
