#include "dbupdate/DbUpdateCheck.h"

#include "dbupdate/AccountingUpdates.h"
#include "dbupdate/SystemUpdates.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "platform/db/JoinedTransaction.h"

#include <charconv>
#include <tuple>
#include <vector>

namespace {

constexpr const char* VersionReadFailed = "データベースバージョンの取得に失敗しました。";

std::int32_t NumberOrZero(const std::string& text)
{
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

TVersionNumbers VersionOf(const TDbUpdateListRec& rec)
{
    return {rec.Major, rec.Minor1, rec.Minor2};
}

}  // namespace

int CompareVersions(const TVersionNumbers& a, const TVersionNumbers& b)
{
    const auto left = std::tie(a.MAJOR, a.MINOR1, a.MINOR2);
    const auto right = std::tie(b.MAJOR, b.MINOR1, b.MINOR2);
    return left < right ? -1 : (right < left ? 1 : 0);
}

TDbUpdateCheck::TDbUpdateCheck() : SystemList(GetSystemUpdateList()), DataList(GetAccountingUpdateList()) {}

void TDbUpdateCheck::CheckUpdate(std::uint8_t kind, const std::string& versionText)
{
    Kind = kind;
    Pending = false;
    Succeeded = false;
    VersionState = 0;
    FirstPending = -1;
    LastPending = -1;
    TargetVersion = {};
    BackupCount = 0;

    const TArrayDbUpdateListRec& list = CurrentList();
    if (!list.empty())
        TargetVersion = VersionOf(list.back());
    if (!versionText.empty())
        SetDbVersionText(versionText);
    else
        SetDbVersion();

    if (Kind == 0) {
        VersionState = 1;
    } else if (TargetVersion.MAJOR > CurrentVersion.MAJOR) {
        VersionState = 1;
    } else if (TargetVersion.MAJOR == CurrentVersion.MAJOR && CurrentVersion.MINOR1 <= TargetVersion.MINOR1) {
        VersionState =
            CurrentVersion.MINOR1 == TargetVersion.MINOR1 && CurrentVersion.MINOR2 > TargetVersion.MINOR2 ? 2 : 1;
    }

    for (std::size_t i = 0; i < list.size(); ++i) {
        if (CompareVersions(VersionOf(list[i]), CurrentVersion) > 0) {
            Pending = true;
            FirstPending = static_cast<std::int32_t>(i);
            LastPending = static_cast<std::int32_t>(list.size()) - 1;
            break;
        }
    }
    for (std::int32_t i = FirstPending; Pending && i <= LastPending; ++i)
        BackupCount += list[static_cast<std::size_t>(i)].BackupFlag;
}

void TDbUpdateCheck::SetDbVersion()
{
    CurrentVersion = {};
    db::Database& database = Kind == 0 ? DM->IBDatabaseDEF : DM->IBDatabaseDAT;
    db::Transaction& transaction = Kind == 0 ? DM->IBTransactionDEF : DM->IBTransactionDAT;
    try {
        db::JoinedTransaction joined(transaction);
        db::Query query(database, transaction,
                        std::string("SELECT MAJOR,MINOR1 AS MINOR,MINOR2 AS REV FROM ") +
                            (Kind == 0 ? "VERSION" : "ACCVERSION") + "\nORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        query.Open();
        if (!query.Eof())
            CurrentVersion = {query.FieldByName("MAJOR").AsInteger(), query.FieldByName("MINOR").AsInteger(),
                              query.FieldByName("REV").AsInteger()};
        query.Close();
        joined.Commit();
    } catch (const db::FbError& error) {
        HandleIBError(error, "TDbUpdateBox.SetDbVersion", VersionReadFailed);
    } catch (const std::exception&) {
        ShowErrorMessage(VersionReadFailed, "", TMsgDlgType::mtError);
    }
}

void TDbUpdateCheck::SetDbVersionText(const std::string& text)
{
    CurrentVersion = {};
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3)
        return;
    CurrentVersion = {NumberOrZero(parts[0]), NumberOrZero(parts[1]), NumberOrZero(parts[2])};
}
