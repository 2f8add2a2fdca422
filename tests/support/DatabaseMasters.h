#pragma once
// The databases the tests start from, each built once per test run through
// the project's own builder (see MasterCache.h) and copied by every test
// that uses it.

#include "dbupdate/SchemaBuilder.h"

#include <filesystem>
#include <string>

namespace dbtest {

// The key of every master made through the schema builder and the update
// units: the build writes it from the expanded sql folder and the libraries
// that hold the builder and the units.
const std::string& SchemaMastersKey();

// The builder's options for the test user. Forced writes are off: a test's
// database is thrown away, so a flush per commit only costs time.
dbupdate::SchemaBuildOptions TestSchemaOptions();

// A delivered base schema as a new database; the master's file.
std::filesystem::path BaseMaster(dbupdate::BaseSchema schema);

// The data kinds of company data: the corporation as delivered, or one of
// the chart scripts of "<sql>/base" applied before the updates.
enum class DataKind { Corporation, Individual, Medical };

const char* DataKindName(DataKind kind);

// The company database of the kind brought to version through the
// accounting updates (every unit of the list when version is empty); the
// master's file. A build that does not reach the version throws.
std::filesystem::path CompanyMasterFile(const std::string& version, DataKind kind = DataKind::Corporation);

// The system database brought through every registered system update
// (edition 0, stand-alone mode); the master's file.
std::filesystem::path SystemMasterFile();

}  // namespace dbtest
