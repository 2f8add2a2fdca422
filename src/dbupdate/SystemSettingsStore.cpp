#include "dbupdate/SystemSettingsStore.h"

#include "foundation/DataModule.h"
#include "platform/db/JoinedTransaction.h"
#include "foundation/SettingsRecords.h"

#include <charconv>

namespace sysupdate {

namespace {

constexpr const char* IntegerType = "整数";

db::Query SystemQuery(const char* sql)
{
    return db::Query(DM->IBDatabaseDEF, DM->IBTransactionDEF, sql);
}

std::int32_t IntegerOf(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::int32_t value = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last ? value : 0;
}

}  // namespace

void GetSysIni(TSystemIniRec& rec)
{
    const std::int32_t recNo = rec.REC;
    rec = TSystemIniRec{};
    rec.REC = recNo;
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query query = SystemQuery(
        "SELECT RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR FROM SYSTEMINI "
        "WHERE REC=:REC");
    query.ParamByName("REC").SetInteger(rec.REC);
    query.Open();
    if (!query.Eof()) {
        rec.RESERVE1 = query.FieldByName("RESERVE1").AsInteger();
        rec.RESERVE2 = query.FieldByName("RESERVE2").AsInteger();
        rec.RESERVE3 = query.FieldByName("RESERVE3").AsInteger();
        rec.RESERVE4 = query.FieldByName("RESERVE4").AsInteger();
        rec.RESERVE5 = query.FieldByName("RESERVE5").AsInteger();
        rec.SSTR = query.FieldByName("SSTR").AsString();
    }
    query.Close();
    transaction.Commit();
}

void SetSysIni(const TSystemIniRec& rec)
{
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query count = SystemQuery("SELECT COUNT(REC) AS RECCNT FROM SYSTEMINI WHERE REC=:REC");
    count.ParamByName("REC").SetInteger(rec.REC);
    count.Open();
    const bool exists = count.FieldByName("RECCNT").AsInteger() > 0;
    count.Close();
    db::Query write = SystemQuery(
        exists ? "UPDATE SYSTEMINI SET RESERVE1=:RESERVE1,RESERVE2=:RESERVE2,RESERVE3=:RESERVE3,RESERVE4=:RESERVE4,"
                 "RESERVE5=:RESERVE5,SSTR=:SSTR WHERE REC=:REC"
               : "INSERT INTO SYSTEMINI(REC,RESERVE1,RESERVE2,RESERVE3,RESERVE4,RESERVE5,SSTR) "
                 "VALUES(:REC,:RESERVE1,:RESERVE2,:RESERVE3,:RESERVE4,:RESERVE5,:SSTR)");
    write.ParamByName("REC").SetInteger(rec.REC);
    write.ParamByName("RESERVE1").SetInteger(rec.RESERVE1);
    write.ParamByName("RESERVE2").SetInteger(rec.RESERVE2);
    write.ParamByName("RESERVE3").SetInteger(rec.RESERVE3);
    write.ParamByName("RESERVE4").SetInteger(rec.RESERVE4);
    write.ParamByName("RESERVE5").SetInteger(rec.RESERVE5);
    write.ParamByName("SSTR").SetString(rec.SSTR);
    write.ExecSQL();
    transaction.Commit();
}

std::int32_t GetSysRegInteger(const std::string& key, std::int32_t opcode, const std::string& defaultText)
{
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query read = SystemQuery("SELECT STEXT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
    read.ParamByName("OPCODE").SetInteger(opcode);
    read.ParamByName("SCODE").SetString(key);
    read.Open();
    std::string text = defaultText;
    if (!read.Eof()) {
        text = read.FieldByName("STEXT").AsString();
        read.Close();
    } else {
        read.Close();
        db::Query insert =
            SystemQuery("INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) VALUES(:OPCODE,:SCODE,:STYPE,:STEXT)");
        insert.ParamByName("OPCODE").SetInteger(opcode);
        insert.ParamByName("SCODE").SetString(key);
        insert.ParamByName("STYPE").SetString(IntegerType);
        insert.ParamByName("STEXT").SetString(defaultText);
        insert.ExecSQL();
    }
    transaction.Commit();
    return IntegerOf(text);
}

void PutSysRegInteger(const std::string& key, std::int32_t opcode, std::int32_t value)
{
    db::JoinedTransaction transaction(DM->IBTransactionDEF);
    db::Query count = SystemQuery("SELECT COUNT(OPCODE) AS RECCNT FROM SYSREG WHERE OPCODE=:OPCODE AND SCODE=:SCODE");
    count.ParamByName("OPCODE").SetInteger(opcode);
    count.ParamByName("SCODE").SetString(key);
    count.Open();
    const bool exists = count.FieldByName("RECCNT").AsInteger() > 0;
    count.Close();
    db::Query write = SystemQuery(exists ? "UPDATE SYSREG SET STEXT=:STEXT WHERE OPCODE=:OPCODE AND SCODE=:SCODE"
                                         : "INSERT INTO SYSREG(OPCODE,SCODE,STYPE,STEXT) "
                                           "VALUES(:OPCODE,:SCODE,:STYPE,:STEXT)");
    write.ParamByName("OPCODE").SetInteger(opcode);
    write.ParamByName("SCODE").SetString(key);
    if (!exists)
        write.ParamByName("STYPE").SetString(IntegerType);
    write.ParamByName("STEXT").SetString(std::to_string(value));
    write.ExecSQL();
    transaction.Commit();
}

}  // namespace sysupdate
