#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "controls/widgets/TLedrixDateEdit.h"

namespace {

TEST(LedrixDateEdit, TypedIntoTheMaskOfItsStyle)
{
    TestForm form;
    auto* edit = form.Add<TLedrixDateEdit>();
    form.ShowActive();
    edit->setFocus();
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, "20240607");
    EXPECT_EQ(edit->text(), "2024/06/07");
    EXPECT_EQ(edit->Date(), EncodeDate(2024, 6, 7));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(edit->text(), "2024/06/07");  // the mask takes digits only

    edit->SetEraEntry(true);
    EXPECT_EQ(edit->text(), "06/06/07");
    EXPECT_EQ(edit->Date(), EncodeDate(2024, 6, 7));
}

TEST(LedrixDateEdit, OnlyTwoStylesAndTheRange)
{
    TLedrixDateEdit edit;
    EXPECT_FALSE(edit.SetDateStyle(ldsYearMonth));
    EXPECT_EQ(edit.DateStyle(), ldsYearMonthDay);
    EXPECT_TRUE(edit.SetDateStyle(ldsMonthDay));
    edit.SetEraEntry(true);
    edit.SetRange(EncodeDate(2024, 4, 1), EncodeDate(2025, 12, 31));
    EXPECT_EQ(edit.ToDate(), EncodeDate(2025, 3, 31));
    edit.SetDate(EncodeDate(2025, 2, 3));
    EXPECT_EQ(edit.text(), "02/03");
    EXPECT_EQ(edit.Date(), EncodeDate(2025, 2, 3));
}

}  // namespace
