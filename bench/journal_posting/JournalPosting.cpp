// journal_posting COMPANY_DATABASE [ROWS]
//
// Measures what the journal's posting triggers cost: the same generated
// journal rows (200,000 unless ROWS says otherwise: entries of a debit and
// a credit row over twenty accounts, sixteen periods and both tax classes)
// are inserted once into the journal, whose triggers post them into the
// period totals, the tax totals and the facility's entry count, and once
// into a copy of the journal table with its columns and indexes but no
// triggers, on the same database. Prints both times and their ratio.
//
// COMPANY_DATABASE is a company database built through the update units
// (for example a master the tests build under build/test-masters); the
// command works on a copy of it in a temporary folder and runs the embedded
// engine under a Firebird root of its own there.

#include "PlainJournalCopy.h"

#include "platform/db/Database.h"
#include "platform/db/FirebirdRoot.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int CommitEvery = 10000;

struct Journal {
    std::vector<std::string> accounts;
    int firstRec = 1;
};

// Inserts rows journal rows into table in transactions of CommitEvery rows;
// the seconds it took.
double InsertRows(db::Database& database, const std::string& table, const Journal& journal, int rows)
{
    db::Transaction transaction(database);
    transaction.Start();
    db::Query insert(database, transaction);
    insert.SetSQL("INSERT INTO " + table +
                  " (REC, SWKREC, SWKNO, DELFLG, TAISHAKU, HIZUKE, MNUM, SCODE, KCODE, HCODE, BCODE, R_KCODE,"
                  " TAXUH, NUK, ZEI, KINGAKU) VALUES (:REC, :SWKREC, :SWKNO, 0, :TAISHAKU, :HIZUKE, :MNUM, ' ',"
                  " :KCODE, ' ', ' ', :RKCODE, :TAXUH, :NUK, :ZEI, :KINGAKU)");
    const auto start = std::chrono::steady_clock::now();
    const std::size_t n = journal.accounts.size();
    for (int i = 0; i < rows; ++i) {
        const int rec = journal.firstRec + i;
        const int entry = rec / 2 + 1;
        const int taishaku = i % 2 + 1;
        const std::size_t debit = static_cast<std::size_t>(i / 2) % n;
        const std::size_t credit = (debit + 7) % n;
        const std::int64_t amount = 1000 + (i / 2) % 997;
        insert.ParamByName("REC").SetInteger(rec);
        insert.ParamByName("SWKREC").SetInteger(entry);
        insert.ParamByName("SWKNO").SetInteger(entry);
        insert.ParamByName("TAISHAKU").SetInteger(taishaku);
        insert.ParamByName("HIZUKE").SetString("2026-05-10");
        insert.ParamByName("MNUM").SetInteger((i / 2) % 16 + 1);
        insert.ParamByName("KCODE").SetString(journal.accounts[taishaku == 1 ? debit : credit]);
        insert.ParamByName("RKCODE").SetString(journal.accounts[taishaku == 1 ? credit : debit]);
        insert.ParamByName("TAXUH").SetInteger(taishaku);
        insert.ParamByName("NUK").SetCurrency(amount * 10000);
        insert.ParamByName("ZEI").SetCurrency(amount * 1000);
        insert.ParamByName("KINGAKU").SetCurrency(amount * 11000);
        insert.ExecSQL();
        if ((i + 1) % CommitEvery == 0) {
            // A real commit, as the journal writer makes one per entry: a
            // retained transaction would keep every back-version of the
            // period rows the triggers update alive.
            transaction.Commit();
            transaction.Start();
        }
    }
    transaction.Commit();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: journal_posting COMPANY_DATABASE [ROWS]\n";
        return 2;
    }
    const int rows = argc == 3 ? std::atoi(argv[2]) : 200000;
    if (rows <= 0 || rows % 2 != 0) {
        std::cerr << "journal_posting: ROWS must be a positive even number\n";
        return 2;
    }
    const fs::path work = fs::temp_directory_path() / ("ledrix-journal-posting-" + std::to_string(::getpid()));
    try {
        fs::create_directories(work);
        db::LayOutFirebirdRoot(work / "firebird");
        db::UseFirebirdRoot(work / "firebird");
        const fs::path copy = work / "qhacc.fdb";
        fs::copy_file(argv[1], copy);
        fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);

        db::Database database;
        database.Attach(copy.string(), "SYSDBA", "");
        Journal journal;
        {
            db::Transaction transaction(database);
            transaction.Start();
            db::Query q(database, transaction);
            q.SetSQL(
                "SELECT FIRST 20 KCODE FROM KAMOKU_SZ WHERE SCODE = ' ' AND HCODE = ' ' AND BCODE = ' '"
                " ORDER BY KCODE");
            q.Open();
            for (; !q.Eof(); q.Next())
                journal.accounts.push_back(q.FieldByName("KCODE").AsString());
            q.Close();
            q.SetSQL("SELECT COALESCE(MAX(REC), 0) + 1 AS NEXTREC FROM SIWAKE");
            q.Open();
            journal.firstRec = q.FieldByName("NEXTREC").AsInteger();
            q.Close();
            CreatePlainCopy(database, transaction, "SIWAKE", "SIWAKE_PLAIN");
        }
        if (journal.accounts.size() < 8)
            throw std::runtime_error("the database has too few accounts with balance rows");

        const double plain = InsertRows(database, "SIWAKE_PLAIN", journal, rows);
        const double posted = InsertRows(database, "SIWAKE", journal, rows);
        database.Detach();
        std::printf("rows: %d\n", rows);
        std::printf("through the posting triggers: %.2f s\n", posted);
        std::printf("into a copy without triggers: %.2f s\n", plain);
        std::printf("ratio: %.2f (goal: at most 2.00)\n", posted / plain);
    } catch (const std::exception& error) {
        std::cerr << "journal_posting: " << error.what() << "\n";
        fs::remove_all(work);
        return 1;
    }
    fs::remove_all(work);
    return 0;
}
