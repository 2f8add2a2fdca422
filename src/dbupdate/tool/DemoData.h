#pragma once
// What the database tool adds to built databases to make a working
// installation: an operator who can log on, the company's name, a year of
// journal entries, and the company's row in the data list. Each opens the
// database on the embedded engine as the given user and commits its work
// in one transaction; a database error propagates as db::FbError.

#include <cstdint>
#include <filesystem>
#include <string>

namespace demodata {

struct Login {
    std::string user;
    std::string password;
};

// Adds the operator to group 10000 of the system database in the folder, or
// replaces the one of that code.
void AddOperator(const std::filesystem::path& sysFolder, const Login& login, std::int32_t code, const std::string& name,
                 const std::string& password, std::int32_t jobLevel);

// Sets the company name (ACCDEF1 SHOUGOU and ENTTEXT) of the company
// database in the folder.
void SetCompanyName(const std::filesystem::path& dataFolder, const Login& login, const std::string& name);

// Posts entriesPerMonth two-sided journal entries into every month of the
// fiscal year (from ACCDEF1 KISHU), through the journal table and its
// posting triggers, after any entries already there. Debits and credits go
// round the accounts that have balance rows; amounts follow a fixed pattern,
// so two runs on equal databases give equal data. Answers the rows posted.
// Throws std::runtime_error when the chart has fewer than two accounts.
std::int32_t PostJournalYear(const std::filesystem::path& dataFolder, const Login& login, std::int32_t entriesPerMonth);

// The label of a data version that no product edition names: "major.minor1".
std::string VersionLabel(std::int32_t major, std::int32_t minor1);

// Writes the data-list row rec (DATALIST, group 10000) of the company data
// in dataFolder into the system database in sysFolder, as the program's own
// refresh of the row fills it: names, code, data and code type, year,
// fiscal dates and version from the company database, its path the folder,
// and as version text the product edition's name (versionText) or, when
// that is empty, VersionLabel. An existing row rec is replaced.
void RegisterData(const std::filesystem::path& sysFolder, const std::filesystem::path& dataFolder, const Login& login,
                  std::int32_t rec, const std::string& versionText);

}  // namespace demodata
