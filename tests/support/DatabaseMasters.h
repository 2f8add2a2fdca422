#pragma once
// The databases the tests start from, each built once per test run through
// the project's own builder (see MasterCache.h) and copied by every test
// that uses it.

#include "dbupdate/SchemaBuilder.h"

#include <cstdint>
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

// The system database "qhaccdef.fdb" brought through every registered
// system update in stand-alone mode, for the given edition (editions 1 and 2
// skip the data list's status and spare columns), up to version when it is
// not empty; the master's file. Editions 1 and 2 import the installation's
// code-system files at 5.0.0, so their masters stop below it.
std::filesystem::path SystemMasterFile(std::uint8_t edition = 0, const std::string& version = {});

}  // namespace dbtest
