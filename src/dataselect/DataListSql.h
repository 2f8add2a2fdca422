#pragma once
// Helpers the data-list store's source files share: statement text built
// line by line, the blank-path test, folder numbers, and the transaction
// conventions of readers and writers on the system database.

#include "dataselect/DataSentakuListCtl.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/StringUtils.h"
#include "platform/db/FbError.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <string>

namespace datalist {

// The lines joined by line breaks; empty lines (options not taken) drop out.
inline std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (line.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += line;
    }
    return text;
}

inline bool BlankPath(const std::string& path)
{
    return TrimZen(path).empty();
}

// Integer value of a path component; 0 when it is not a number.
inline std::int32_t FolderNumber(const std::string& name)
{
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return static_cast<std::int32_t>(std::strtol(name.c_str(), nullptr, 10));
}

// Runs a row writer's body in the store's transaction conventions: start
// when not active; on success commit what was started here (or
// commit-retain an outer transaction when retainOuter); on an error roll
// back what was started here and report it when showError, else pass it on.
template <typename Body>
bool RunWriter(db::Query& sql, bool showError, const char* location, const char* message, bool retainOuter, Body&& body)
{
    const bool started = !DM->IBTransactionDEF.InTransaction();
    if (started)
        DM->IBTransactionDEF.Start();
    try {
        body();
        if (started)
            DM->IBTransactionDEF.Commit();
        else if (retainOuter)
            DM->IBTransactionDEF.CommitRetaining();
        return true;
    } catch (const db::FbError& e) {
        sql.Close();
        if (started && DM->IBTransactionDEF.InTransaction())
            DM->IBTransactionDEF.Rollback();
        if (!showError)
            throw;
        HandleIBError(e, location, message);
    } catch (const std::exception& e) {
        sql.Close();
        if (started && DM->IBTransactionDEF.InTransaction())
            DM->IBTransactionDEF.Rollback();
        if (!showError)
            throw;
        ShowErrorMessage(message, e.what(), TMsgDlgType::mtError);
    }
    return false;
}

}  // namespace datalist

// The system database's ordinary transaction, started when it was not
// active and ended here only when started here.
class TDataSentakuListCtl::Scope final {
public:
    Scope() : tr_(DM->IBTransactionDEF), started_(!tr_.InTransaction())
    {
        if (started_)
            tr_.Start();
    }
    ~Scope()
    {
        if (started_ && tr_.InTransaction()) {
            try {
                tr_.Rollback();
            } catch (...) {
            }
        }
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    // Readers: commit what was started here.
    void Commit()
    {
        if (started_ && tr_.InTransaction())
            tr_.Commit();
    }
    // Row writers: commit, or commit-retain an outer transaction.
    void CommitOrRetain()
    {
        if (started_)
            Commit();
        else if (tr_.InTransaction())
            tr_.CommitRetaining();
    }
    void Rollback()
    {
        if (started_ && tr_.InTransaction())
            tr_.Rollback();
    }

private:
    db::Transaction& tr_;
    bool started_;
};
