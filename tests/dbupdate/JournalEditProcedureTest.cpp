// The journal edit of company data at 15.0.0, as the journal writer calls
// it: "SELECT NEWREC,NEWSWKREC,NEWSWKNO,UPREC,NEWSDAYNUM FROM
// SP_SIWAKE_UPD(...)".

#include "LaterUnitTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace laterunittest;

class JournalEditProcedureTest : public LaterUnitDbTest {
protected:
    // The call for the entry whose debit row is rec, on the date, with the
    // day number and the debit amount given; the rest as stored.
    static std::string Edit(int rec, int swkrec, const std::string& date, int sdaynum, const std::string& amount,
                            const std::string& scode, const std::string& debit, const std::string& credit)
    {
        return "SELECT NEWREC,NEWSWKREC,NEWSWKNO,UPREC,NEWSDAYNUM FROM SP_SIWAKE_UPD(" + std::to_string(rec) + "," +
               std::to_string(swkrec) + "," + std::to_string(swkrec) + ",0,'" + date + "',1,0," +
               std::to_string(sdaynum) + ",0,0,0,'" + scode + "','','" + debit + "',' ',' ','','','',0,0,0," + amount +
               ",0,0,0,'','" + credit + "',' ',' ','','','',0,0,0," + amount + ",0,0,0," + amount +
               ",0,0,0,0,0,0,'',0,'',0,0,0,0,0,NULL,'','',NULL,0,0,0,NULL,NULL,1)";
    }
};

TEST_F(JournalEditProcedureTest, AnswersTheDayNumberTheEntryHasAfterTheEdit)
{
    UseDataBefore802(DataKind::Corporation);
    ASSERT_TRUE(RunTo({15, 0, 0}).Succeeded());
    auto data = Data();
    const std::string scode = data.Value("SELECT FIRST 1 SCODE FROM SISETUMST ORDER BY SCODE").value();
    const auto codes = data.Rows("SELECT FIRST 2 KCODE, USERCODE FROM KAMOKUMST WHERE USE=1 ORDER BY KCODE");
    ASSERT_EQ(codes.size(), 2u);
    // Two entries: 1 on April 1st (day number 1), 2 on April 2nd (day number 5).
    const auto insert = [&](int swkrec, const char* date, int sdaynum) {
        for (int side = 1; side <= 2; ++side)
            data.Exec(
                "INSERT INTO SIWAKE (REC,SWKREC,SWKNO,DELFLG,TAISHAKU,HIZUKE,MNUM,SDAYNUM,SCODE,KCODE,R_KCODE,NUK,"
                "R_NUK,KINGAKU) VALUES (" +
                std::to_string(2 * swkrec - 2 + side) + "," + std::to_string(swkrec) + "," + std::to_string(swkrec) +
                ",0," + std::to_string(side) + ",'" + date + "',1," + std::to_string(sdaynum) + ",'" + scode + "','" +
                codes[side - 1][0] + "','" + codes[2 - side][0] + "',100,100,100)");
    };
    insert(800001, "2024-04-01", 1);
    insert(800002, "2024-04-02", 5);

    // Unchanged but for its day number: the same entry, the number given
    // (the accounts go in as the user's codes, the stored rows hold the
    // internal ones).
    EXPECT_EQ(data.Line(Edit(1600001, 800001, "2024-04-01", 3, "100", scode, codes[0][1], codes[1][1])),
              "1600001|800001|800001|0|3");
    // Moved to April 2nd: a new version with the next number of that day.
    const std::string moved = data.Line(Edit(1600001, 800001, "2024-04-02", 3, "100", scode, codes[0][1], codes[1][1]));
    const std::size_t last = moved.rfind('|');
    EXPECT_EQ(moved.substr(last + 1), "6") << moved;
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM SIWAKE WHERE SWKREC=800001 AND DELFLG=2"), 2);
    EXPECT_EQ(data.Count("SELECT COUNT(*) FROM SIWAKE WHERE HIZUKE='2024-04-02' AND DELFLG=0 AND SDAYNUM=6"), 2);
    // The replaced version answers -2 with the live debit row.
    const std::string replaced =
        data.Line(Edit(1600001, 800001, "2024-04-02", 6, "100", scode, codes[0][1], codes[1][1]));
    EXPECT_EQ(replaced.substr(0, replaced.find('|')), moved.substr(0, moved.find('|')));
    EXPECT_NE(replaced.find("|-2|"), std::string::npos) << replaced;
}

}  // namespace
