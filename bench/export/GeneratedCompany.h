#pragma once
// The benchmark's large company, made once and kept in the build folder.

#include <filesystem>

// The company database "qhacc.fdb" of the benchmark: on first use a copy of
// the corporation master of the tests with generate-company.sql and twenty
// blocks of generate-journal.sql run through isql-fb (minutes), then moved
// into place whole; afterwards the kept file. Throws std::runtime_error
// when a script fails.
std::filesystem::path GeneratedCompany();
