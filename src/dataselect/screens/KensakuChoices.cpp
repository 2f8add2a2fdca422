#include "dataselect/screens/KensakuChoices.h"

#include "foundation/AppInfo.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "platform/Registry.h"
#include "platform/db/FbError.h"
#include "foundation/UserMessage.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* NoneLabel = "選択なし";
constexpr const char* ReadFailed = "ユーザーリストの取得に失敗しました。";

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "a.b.c" with exactly three parts: major and minor.
bool SplitVersion(const std::string& text, std::int32_t& major, std::int32_t& minor)
{
    if (std::count(text.begin(), text.end(), '.') != 2)
        return false;
    const std::size_t first = text.find('.');
    major = std::atoi(text.substr(0, first).c_str());
    minor = std::atoi(text.substr(first + 1).c_str());
    return true;
}

void AddEdition(std::vector<TKensakuEdition>& list, std::int32_t major, std::int32_t minor, const std::string& name)
{
    for (const TKensakuEdition& e : list)
        if (e.Major == major && e.Minor == minor)
            return;
    list.push_back({major, minor, name});
}

}  // namespace

std::string TKensakuEdition::VersionText() const
{
    if (Major == 0 && Minor == 0)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d", Major, Minor);
    return text;
}

std::vector<TKensakuOperator> ReadKensakuOperators(std::int32_t groupId)
{
    std::vector<TKensakuOperator> list{{0, NoneLabel}};
    if (!DM || !DM->IBDatabaseDEF.Connected())
        return list;
    db::Transaction transaction(DM->IBDatabaseDEF, db::TransactionOptions::ReadCommitted());
    try {
        transaction.Start();
        db::Query query(DM->IBDatabaseDEF, transaction,
                        "SELECT O.OPCODE,O.OPNAME FROM OPERATOR O\n"
                        "WHERE (O.GROUPID=:GROUPID) AND (O.OPCODE>=10)\n"
                        "ORDER BY O.OPCODE");
        query.ParamByName("GROUPID").SetInteger(groupId);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            const std::int32_t code = query.FieldByName("OPCODE").AsInteger();
            list.push_back({code, std::to_string(code) + ":" + query.FieldByName("OPNAME").AsString()});
        }
        query.Close();
        transaction.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TUserList.Execute", ReadFailed);
    } catch (const std::exception& error) {
        ShowErrorMessage(ReadFailed, error.what(), TMsgDlgType::mtError);
    }
    return list;
}

std::vector<TKensakuEdition> ReadKensakuEditions()
{
    std::vector<TKensakuEdition> list{{0, 0, NoneLabel}};
    if (EditionFlag == 0) {
        const std::pair<const char*, const char*> fixed[] = {{"1.0.0", "09版"}, {"2.0.0", "10版"}, {"3.0.0", "11版"}};
        for (const auto& [version, name] : fixed) {
            std::int32_t major = 0, minor = 0;
            if (SplitVersion(version, major, minor))
                AddEdition(list, major, minor, name);
        }
    }
    try {
        Registry registry(RootKey::HKEY_LOCAL_MACHINE);
        const std::string key = AppInfo.Application.RegKey;
        const std::string product = Upper(AppInfo.Zaimu.RegKey);
        if (key.empty() || !registry.OpenKeyReadOnly(key))
            return list;
        for (const std::string& sub : registry.GetKeyNames()) {
            if (product.empty() || Upper(sub).find(product) == std::string::npos)
                continue;
            Registry edition(RootKey::HKEY_LOCAL_MACHINE);
            if (!edition.OpenKeyReadOnly(key + "\\" + sub))
                continue;
            std::int32_t major = 0, minor = 0;
            if (SplitVersion(edition.ReadString("Version"), major, minor))
                AddEdition(list, major, minor, edition.ReadString("Type"));
        }
    } catch (const RegistryError&) {
        // A value of another type is no recorded edition.
    }
    return list;
}
