#include "DemoData.h"

#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace demodata {
namespace {

constexpr std::int32_t GroupId = 10000;

// One database with one transaction, committed by Commit.
class Session final {
public:
    Session(const fs::path& file, const Login& login) : transaction_(database_)
    {
        database_.Attach(file.string(), login.user, login.password);
        transaction_.Start();
    }
    db::Query Query(std::string_view sql) { return db::Query(database_, transaction_, sql); }
    void Commit() { transaction_.Commit(); }

private:
    db::Database database_;
    db::Transaction transaction_;
};

fs::path CompanyFile(const fs::path& folder)
{
    return folder / "qhacc.fdb";
}
fs::path SystemFile(const fs::path& folder)
{
    return folder / "qhaccdef.fdb";
}

// "yyyy-mm-dd" of the given month after the fiscal start, on the day.
std::string MonthDate(const std::string& start, int monthsAfter, int day)
{
    int year = 0;
    int month = 0;
    if (std::sscanf(start.c_str(), "%d-%d", &year, &month) != 2)
        throw std::runtime_error("unreadable fiscal start: " + start);
    const int index = month - 1 + monthsAfter;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year + index / 12, index % 12 + 1, day);
    return text;
}

}  // namespace

void AddOperator(const fs::path& sysFolder, const Login& login, std::int32_t code, const std::string& name,
                 const std::string& password, std::int32_t jobLevel)
{
    Session session(SystemFile(sysFolder), login);
    db::Query q = session.Query(
        "UPDATE OR INSERT INTO OPERATOR (GROUPID, OPCODE, OPNAME, JOBLEVEL, PASWORD)"
        " VALUES (:GROUPID, :OPCODE, :OPNAME, :JOBLEVEL, :PASWORD) MATCHING (GROUPID, OPCODE)");
    q.ParamByName("GROUPID").SetInteger(GroupId);
    q.ParamByName("OPCODE").SetInteger(code);
    q.ParamByName("OPNAME").SetString(name);
    q.ParamByName("JOBLEVEL").SetInteger(jobLevel);
    q.ParamByName("PASWORD").SetString(password);
    q.ExecSQL();
    session.Commit();
}

void SetCompanyName(const fs::path& dataFolder, const Login& login, const std::string& name)
{
    Session session(CompanyFile(dataFolder), login);
    db::Query q = session.Query("UPDATE ACCDEF1 SET SHOUGOU = :SHOUGOU, ENTTEXT = :ENTTEXT");
    q.ParamByName("SHOUGOU").SetString(name);
    q.ParamByName("ENTTEXT").SetString(name);
    q.ExecSQL();
    session.Commit();
}

std::int32_t PostJournalYear(const fs::path& dataFolder, const Login& login, std::int32_t entriesPerMonth)
{
    Session session(CompanyFile(dataFolder), login);
    std::vector<std::string> accounts;
    {
        db::Query q = session.Query(
            "SELECT KCODE FROM KAMOKU_SZ WHERE SCODE = ' ' AND HCODE = ' ' AND BCODE = ' '"
            " ORDER BY KCODE");
        for (q.Open(); !q.Eof(); q.Next())
            accounts.push_back(q.FieldByName("KCODE").AsString());
    }
    if (accounts.size() < 2)
        throw std::runtime_error("the chart has too few accounts with balance rows");
    std::string start;
    std::int32_t rec = 0;
    {
        db::Query q = session.Query(
            "SELECT CAST(KISHU AS VARCHAR(10)) AS KISHU,"
            " (SELECT COALESCE(MAX(REC), 0) FROM SIWAKE) AS LASTREC FROM ACCDEF1");
        q.Open();
        if (q.Eof())
            throw std::runtime_error("the company database has no ACCDEF1 row");
        start = q.FieldByName("KISHU").AsString();
        rec = q.FieldByName("LASTREC").AsInteger();
    }
    db::Query insert = session.Query(
        "INSERT INTO SIWAKE (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, BCODE,"
        " R_KCODE, TAXUH, NUK, ZEI, KINGAKU) VALUES (:REC, :SWKREC, :SWKNO, 0, :TAISHAKU, :HIZUKE, :MNUM, ' ',"
        " :KCODE, ' ', ' ', :RKCODE, 0, :NUK, 0, :NUK)");
    const std::size_t n = accounts.size();
    std::int32_t posted = 0;
    for (int month = 0; month < 12; ++month) {
        // Months fill cells 0-2, 4-6, 8-10 and 12-14; the cells between are
        // the quarter settlements.
        const int period = month + month / 3 + 1;
        for (std::int32_t e = 0; e < entriesPerMonth; ++e) {
            const std::size_t debit = static_cast<std::size_t>(month * 7 + e) % n;
            const std::size_t credit = (debit + 1 + static_cast<std::size_t>(e) % (n - 1)) % n;
            const std::int64_t yen = 1000 * (1 + (month * 31 + e * 17) % 97);
            const std::int32_t entry = rec / 2 + 1;
            for (int side = 1; side <= 2; ++side) {
                ++rec;
                insert.ParamByName("REC").SetInteger(rec);
                insert.ParamByName("SWKREC").SetInteger(entry);
                insert.ParamByName("SWKNO").SetInteger(entry);
                insert.ParamByName("TAISHAKU").SetInteger(side);
                insert.ParamByName("HIZUKE").SetString(MonthDate(start, month, 1 + e % 28));
                insert.ParamByName("MNUM").SetInteger(period);
                insert.ParamByName("KCODE").SetString(accounts[side == 1 ? debit : credit]);
                insert.ParamByName("RKCODE").SetString(accounts[side == 1 ? credit : debit]);
                insert.ParamByName("NUK").SetCurrency(yen * 10000);
                insert.ExecSQL();
                ++posted;
            }
        }
    }
    session.Commit();
    return posted;
}

std::string VersionLabel(std::int32_t major, std::int32_t minor1)
{
    return std::to_string(major) + "." + std::to_string(minor1);
}

void RegisterData(const fs::path& sysFolder, const fs::path& dataFolder, const Login& login, std::int32_t rec,
                  const std::string& versionText)
{
    struct Company {
        std::string name, kishu, kimatu, code;
        std::int32_t dataType = 0, codeType = 0, nendo = 0, major = 0, minor1 = 0, minor2 = 0;
    } c;
    {
        Session company(CompanyFile(dataFolder), login);
        db::Query q = company.Query(
            "SELECT A.SHOUGOU, A.SCODE1, A.DATATYPE, A.CODETYPE, A.NENDO, CAST(A.KISHU AS VARCHAR(10)) AS KISHU,"
            " CAST(A.KIMATU AS VARCHAR(10)) AS KIMATU, V.MAJOR, V.MINOR1, V.MINOR2"
            " FROM ACCDEF1 A CROSS JOIN ACCVERSION V WHERE V.REC = 1");
        q.Open();
        if (q.Eof())
            throw std::runtime_error("the company database has no ACCDEF1 or ACCVERSION row");
        c.name = q.FieldByName("SHOUGOU").AsString();
        c.code = q.FieldByName("SCODE1").AsString();
        c.dataType = q.FieldByName("DATATYPE").AsInteger();
        c.codeType = q.FieldByName("CODETYPE").AsInteger();
        c.nendo = q.FieldByName("NENDO").AsInteger();
        c.kishu = q.FieldByName("KISHU").AsString();
        c.kimatu = q.FieldByName("KIMATU").AsString();
        c.major = q.FieldByName("MAJOR").AsInteger();
        c.minor1 = q.FieldByName("MINOR1").AsInteger();
        c.minor2 = q.FieldByName("MINOR2").AsInteger();
    }
    Session system(SystemFile(sysFolder), login);
    db::Query q = system.Query(
        "UPDATE OR INSERT INTO DATALIST (REC, GROUPID, ENTTEXT, SHOUGOU, PASNAME, NETDRIVE, DATATYPE, CODETYPE,"
        " NENDO, KISHU, KIMATU, DATACODE, VER_MAJOR, VER_MINOR1, VER_MINOR2, VER_TEXT) VALUES (:REC, :GROUPID,"
        " :ENTTEXT, :SHOUGOU, :PASNAME, 0, :DATATYPE, :CODETYPE, :NENDO, :KISHU, :KIMATU, :DATACODE, :MAJOR, :MINOR1,"
        " :MINOR2, :VERTEXT) MATCHING (REC)");
    q.ParamByName("REC").SetInteger(rec);
    q.ParamByName("GROUPID").SetInteger(GroupId);
    q.ParamByName("ENTTEXT").SetString(c.name);
    q.ParamByName("SHOUGOU").SetString(c.name);
    q.ParamByName("PASNAME").SetString(fs::absolute(dataFolder).lexically_normal().string());
    q.ParamByName("DATATYPE").SetInteger(c.dataType);
    q.ParamByName("CODETYPE").SetInteger(c.codeType);
    q.ParamByName("NENDO").SetInteger(c.nendo);
    q.ParamByName("KISHU").SetString(c.kishu);
    q.ParamByName("KIMATU").SetString(c.kimatu);
    q.ParamByName("MAJOR").SetInteger(c.major);
    q.ParamByName("MINOR1").SetInteger(c.minor1);
    q.ParamByName("MINOR2").SetInteger(c.minor2);
    // The list keeps ten characters of the company's code.
    q.ParamByName("DATACODE").SetString(c.code.substr(0, 10));
    q.ParamByName("VERTEXT").SetString(versionText.empty() ? VersionLabel(c.major, c.minor1) : versionText);
    q.ExecSQL();
    system.Commit();
}

}  // namespace demodata
