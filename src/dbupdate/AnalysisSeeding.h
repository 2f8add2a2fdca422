#pragma once
// The account groups and budget/actual evaluation rules of budget
// management and management analysis, seeded once per data kind: 8.0.2
// for corporations, 8.0.3 for individuals, 9.0.2 for medical
// corporations. Each fix runs its statements one at a time in the data-fix
// transaction (AccountingLaterUnits.h) and raises the first database error;
// for any other data kind it writes nothing.
//
// What is written depends on the data kind, the code type and the edition
// (EditionFlag 1 or 2 numbers its accounts with five digits).

#include "dbupdate/AccountingLaterUnits.h"

#include <cstdint>
#include <string>
#include <vector>

namespace accupdate {

// The statements each fix executes for the data kind and edition, in order.
std::vector<std::string> CorporateAnalysisStatements(const TCompanyKind& kind, std::int32_t editionFlag);
std::vector<std::string> IndividualAnalysisStatements(const TCompanyKind& kind, std::int32_t editionFlag);
std::vector<std::string> MedicalAnalysisStatements(const TCompanyKind& kind);

void SeedCorporateAnalysisData(const TDataFixContext& context);
void SeedIndividualAnalysisData(const TDataFixContext& context);
void SeedMedicalAnalysisData(const TDataFixContext& context);

// Executes the statements one at a time on the company database in its
// transaction, without parameter checking; raises the first error.
void ExecuteCompanyStatements(const TDataFixContext& context, const std::vector<std::string>& statements);

}  // namespace accupdate
