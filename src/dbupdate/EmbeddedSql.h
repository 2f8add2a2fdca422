#pragma once
// The fixed statements of the update units, embedded in the program.
//
// A unit's DDL, PSQL bodies and seed rows are written as SQL files under
// src/dbupdate/sql/units/<list>/<version>/, the list "accounting" or
// "system" and the version as its body-file folder names it (0.1.1 ->
// 011, 4.0.0 -> 400):
//
//   src/dbupdate/sql/units/accounting/011/drops.sql
//
// The build expands them with the template expander of the base schemas
// (sqlgen/SqlTemplate.h: FOR lists of numbers or words; sqlgen/SqlInclude.h:
// the shared parts, ".sqlinc", that a file includes) and compiles the
// expanded text into the program (ledrix_sqlgen --embed), so a unit never
// reads a file an installation could lose. A unit takes a file with
// TUpdateScript::AddSql("drops.sql"), which finds it in the unit's own
// folder; every line of the file becomes a line of the script as it
// stands (empty lines too), so the file holds exactly the statements the
// script runs and nothing else: comments on why belong beside the AddSql
// call. Adding a unit's files needs nothing but the files: the build finds
// every .sql file under units/ (re-run cmake after adding one, as for any
// new source).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace embeddedsql {

// The expanded text of units/<name> ("accounting/011/drops.sql"); nullptr
// when the program holds no such file.
const std::string* Find(std::string_view name);

// The names of all embedded files, sorted.
std::vector<std::string> Names();

// The table the build writes: each file's name and its text in pieces.
using TGeneratedFile = std::pair<std::string_view, std::vector<std::string_view>>;
const std::vector<TGeneratedFile>& GeneratedFiles();

}  // namespace embeddedsql
