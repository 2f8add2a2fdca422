#pragma once
// Company data for the facility x department accumulation tests: a copy of
// the last version's master with department books (BUMON 2), the
// departments D1 and D2 beside the common "00", the department group G1 of
// all three, balance rows with their openings written by the test and
// journals posted through the journal triggers.

#include "CalcTestSupport.h"

#include "calc/engine/CalcFront.h"
#include "platform/DateTime.h"

#include <gtest/gtest.h>

#include <string>

namespace acctest {

using calctest::BalanceArrays;
using calctest::JournalSide;
using calctest::PostSide;
using calctest::Yen;
using schematest::Session;

inline constexpr const char* ReceivedTax = "2109";  // 仮受消費税
inline constexpr const char* PaidTax = "1304";      // 仮払消費税

class AccumulationTest : public calctest::CompanyDataTest {
protected:
    // The copy, with department books and the group G1.
    void Prepare(Session& s, int bumon = 2)
    {
        s.Exec("UPDATE ACCDEF1 SET BUMON = " + std::to_string(bumon) + " WHERE REC = 1");
        for (const char* bcode : {"D1", "D2"})
            s.Exec(std::string("UPDATE OR INSERT INTO BUMONMST (BCODE, BNAME) VALUES ('") + bcode + "', '" + bcode +
                   "') MATCHING (BCODE)");
        for (const char* bcode : {"00", "D1", "D2"})
            s.Exec(std::string("INSERT INTO GROUPLIST (GCODE, BCODE) VALUES ('G1', '") + bcode + "')");
    }

    // A facility; the facility trigger gives it the balance rows of every
    // account in the department ' '.
    static void Facility(Session& s, const std::string& scode, int bumex)
    {
        s.Exec("INSERT INTO SISETUMST (SCODE, SNAME, BUMEX) VALUES ('" + scode + "', '" + scode + "', " +
               std::to_string(bumex) + ")");
    }

    // The balance row of the key with its opening (entered, with and
    // without tax alike) and, when a percent is given, its allocation ratio
    // in every period.
    static void Balance(Session& s, const std::string& scode, const std::string& kcode, const std::string& hcode,
                        const std::string& bcode, long long opening, const std::string& percent = {})
    {
        const std::string o = std::to_string(opening);
        std::string ratios;
        std::string values;
        if (!percent.empty())
            for (int n = 1; n <= 16; ++n) {
                ratios += std::string(", HAIBUN") + (n < 10 ? "0" : "") + std::to_string(n);
                values += ", " + percent;
            }
        s.Exec("UPDATE OR INSERT INTO KAMOKU_SZ (SCODE, KCODE, HCODE, BCODE, KAISIZAN, KISHU_KOMI, KISHU_NUKI" +
               ratios + ") VALUES ('" + scode + "', '" + kcode + "', '" + hcode + "', '" + bcode + "', " + o + ", " +
               o + ", " + o + values + ") MATCHING (SCODE, KCODE, HCODE, BCODE)");
    }

    // Opens the copy and fills what the accumulations read besides what the
    // common fixture fills: department books, the tax accounts, a fiscal
    // year from April with two earlier twelve-month years.
    void OpenData()
    {
        Open();
        Session s(Path());
        AccInf.BUMON = std::stoi(s.Value("SELECT BUMON FROM ACCDEF1 WHERE REC = 1").value_or("0"));
        AccInf.SystemCodes[1] = PaidTax;
        AccInf.SystemCodes[2] = ReceivedTax;
        AccInf.SIME = 99;
        AccInf.YearStarts = {EncodeDate(2025, 4, 1), EncodeDate(2024, 4, 1), EncodeDate(2023, 4, 1)};
    }

    // The trial balance of the scope over the department argument (loaded
    // through the calculation front, layout 0 unless given).
    BalanceArrays Load(int scope, const std::string& bcode, int tax, int haibun, int layout = 0)
    {
        BalanceArrays a(BalanceCapacity());
        EXPECT_TRUE(
            LoadTrialBalance(a.rows, a.High(), a.order, a.High(), " ", bcode, tax, scope, layout, 2, haibun, 0, 0));
        EXPECT_TRUE(presenter.shown.empty());
        return a;
    }
};

inline const TBALANCE* FindAccount(const BalanceArrays& a, const std::string& kcode)
{
    for (std::size_t i = FirstAccountRowGeneral; i < a.rows.size(); ++i)
        if (a.rows[i].KMK.KCODE == kcode)
            return &a.rows[i];
    return nullptr;
}

}  // namespace acctest
