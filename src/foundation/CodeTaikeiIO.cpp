#include "foundation/CodeTaikeiIO.h"

#include "foundation/ProgramGlobals.h"
#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/UserMessage.h"
#include "platform/Cp932.h"
#include "platform/NumberText.h"
#include "platform/db/FbError.h"
#include "platform/db/JoinedTransaction.h"
#include "platform/db/Transaction.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kUpdateFailed = "コード体系の更新に失敗しました。";
constexpr const char* kRepairFailed = "コード体系の区分修復に失敗しました。";

constexpr const char* kUpdateSql =
    "UPDATE USERCODE SET NAME=:NAME,DATATYPE=:DATATYPE,CODETYPE=:CODETYPE,\n"
    "INIDAT1=:INIDAT1,INIDAT2=:INIDAT2,INIDAT3=:INIDAT3,INIDAT4=:INIDAT4,INIDAT5=:INIDAT5,INIDAT6=:INIDAT6,"
    "INIDAT7=:INIDAT7,INIDAT8=:INIDAT8\n"
    "WHERE RECNO=:RECNO";
constexpr const char* kRepairSelectSql =
    "SELECT RECNO,INIDAT1 FROM USERCODE\n"
    "WHERE DATATYPE=1 AND CODETYPE=1";
constexpr const char* kRepairUpdateSql =
    "UPDATE USERCODE SET DATATYPE=:DATATYPE,CODETYPE=:CODETYPE\n"
    "WHERE RECNO=:RECNO";

TDM& ConnectedDataModule()
{
    if (!DM)
        throw std::logic_error("TCodeTaikeiIO needs the data module, and there is none");
    if (!DM->IBDatabaseDEF.Connected())
        throw std::logic_error("TCodeTaikeiIO needs the data module's system database connected");
    return *DM;
}

// The lines of a text; CR LF, LF and a lone CR each end a line.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

// The part (0 for INIDAT1) a line of that kind belongs to; -1 for none.
int PartOfKind(int kind)
{
    if (kind >= 1 && kind <= 8)
        return kind - 1;
    if (kind == 21 || kind == 22)
        return 1;
    if (kind >= 31 && kind <= 34)
        return 2;
    if (kind == 71)
        return 6;
    return -1;
}

std::string ReadFileBytes(const std::string& fileName)
{
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::filesystem::filesystem_error("cannot open the code-system file", fileName,
                                                std::error_code(errno != 0 ? errno : ENOENT, std::generic_category()));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw std::filesystem::filesystem_error("cannot read the code-system file", fileName,
                                                std::make_error_code(std::errc::io_error));
    return bytes;
}

}  // namespace

TCodeTaikeiIO::TCodeTaikeiIO()
    : transaction_(ConnectedDataModule().IBTransactionDEF),
      IBSQL(DM->IBDatabaseDEF, transaction_),
      IBQuery(DM->IBDatabaseDEF, transaction_)
{
    Moji.Delimiter = ',';
    Moji.Kind = 1;
    verText_ = std::to_string(verMajor_) + "." + std::to_string(verMinor_);
    KubunSyufuku();
}

void TCodeTaikeiIO::ReadDefinitionFile(const std::string& fileName, TCodeTaikeiRec2& record)
{
    const std::string text = cp932::ToUtf8(ReadFileBytes(fileName));
    for (const std::string& line : SplitLines(text)) {
        if (line.empty())
            continue;
        Moji.SplitMoji(line);
        const int kind = StrToIntDef(Moji.GetMojiItem(0), 0);
        const int part = PartOfKind(kind);
        if (part < 0)
            continue;
        record.IniDat[static_cast<std::size_t>(part)].push_back(line);
        if (kind == 1) {
            record.Name = Moji.GetMojiItem(1);
            record.DataType = StrToIntDef(Moji.GetMojiItem(2), 0);
            record.CodeType = StrToIntDef(Moji.GetMojiItem(3), 0);
            record.ProductCode = Moji.Count() >= 6 ? Moji.GetMojiItem(5) : std::string("-");
        }
    }
}

bool TCodeTaikeiIO::ImportCodeTaikei(const std::string& fileName, std::int32_t recordNumber)
{
    TCodeTaikeiRec2 record;
    record.ProductCode = "-";
    ReadDefinitionFile(fileName, record);

    std::string message;
    if (!CheckCodeTaikeiProduct(record.ProductCode, message)) {
        ShowUserMessage(message, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return false;
    }
    record.RecNo = recordNumber;
    return UpDateRecored(record);
}

bool TCodeTaikeiIO::CheckCodeTaikeiProduct(const std::string& productCode, std::string& message)
{
    message.clear();
    const std::string expected = AppInfo.Application.OEM + AppInfo.Application.VerTest;
    bool passes = false;
    if (EditionFlag == 0)
        passes = productCode.empty() || productCode == expected;
    else if (EditionFlag == 1 || EditionFlag == 2)
        passes = productCode == expected;
    if (!passes)
        message = "このプログラムでは、該当のデータ（製品区分）を処理することが出来ません。" + AppInfo.Zaimu.AppTitle +
                  "以外で作成されたデータの可能性があります。";
    return passes;
}

bool TCodeTaikeiIO::UpDateRecored(const TCodeTaikeiRec2& record)
{
    if (record.Name.empty() || record.DataType == 0 || record.CodeType == 0)
        return false;
    try {
        // Rolled back on the way out of the try when it is ours.
        db::JoinedTransaction joined(transaction_);
        IBSQL.Close();
        IBSQL.SetSQL(kUpdateSql);
        IBSQL.ParamByName("NAME").SetString(record.Name);
        IBSQL.ParamByName("DATATYPE").SetInteger(record.DataType);
        IBSQL.ParamByName("CODETYPE").SetInteger(record.CodeType);
        for (std::size_t i = 0; i < record.IniDat.size(); ++i)
            IBSQL.ParamByName("INIDAT" + std::to_string(i + 1)).SetString(JoinCrLf(record.IniDat[i]));
        IBSQL.ParamByName("RECNO").SetInteger(record.RecNo);
        IBSQL.ExecSQL();
        if (IBSQL.RowsAffected() == 0)
            throw std::runtime_error("USERCODE has no row RECNO=" + std::to_string(record.RecNo));
        joined.Commit();
        return true;
    } catch (const db::FbError& error) {
        HandleIBError(error, "TCodeTaikeiIO.UpDateRecored", kUpdateFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(kUpdateFailed, error.what(), TMsgDlgType::mtError);
    }
    return false;
}

void TCodeTaikeiIO::KubunSyufuku()
{
    try {
        // Rolled back on the way out of the try when it is ours.
        db::JoinedTransaction joined(transaction_);
        IBQuery.Close();
        IBQuery.SetSQL(kRepairSelectSql);
        IBSQL.Close();
        IBSQL.SetSQL(kRepairUpdateSql);
        for (IBQuery.Open(); !IBQuery.Eof(); IBQuery.Next()) {
            // The header is the first line of the part.
            const std::vector<std::string> header = SplitLines(IBQuery.FieldByName("INIDAT1").AsString());
            Moji.SplitMoji(header.empty() ? std::string() : header.front());
            const std::int32_t dataType = StrToIntDef(Moji.GetMojiItem(2), 0);
            const std::int32_t codeType = StrToIntDef(Moji.GetMojiItem(3), 0);
            if (dataType == 1 || dataType == 0)
                continue;
            IBSQL.ParamByName("DATATYPE").SetInteger(dataType);
            IBSQL.ParamByName("CODETYPE").SetInteger(codeType);
            IBSQL.ParamByName("RECNO").SetInteger(IBQuery.FieldByName("RECNO").AsInteger());
            IBSQL.ExecSQL();
        }
        IBQuery.Close();
        joined.Commit();
    } catch (const db::FbError& error) {
        IBQuery.Close();
        HandleIBError(error, "TCodeTaikeiIO.KubunSyufuku", kRepairFailed);
    } catch (const std::exception& error) {
        IBQuery.Close();
        ShowErrorMessage(kRepairFailed, error.what(), TMsgDlgType::mtError);
    }
}
