#pragma once
// The data module and its system-database connection for the length of a
// program-side step of an update unit. The update dialog closes the system
// connection before it runs the units, and the database builder runs them
// without a data module at all; a step borrows what it needs and gives back
// what it borrowed, so the next unit finds things as this one found them.

#include <cstdint>
#include <functional>
#include <string>

// The global data module for as long as the lease lives; one made here goes
// away with it.
class TDataModuleLease final {
public:
    TDataModuleLease();
    ~TDataModuleLease();
    TDataModuleLease(const TDataModuleLease&) = delete;
    TDataModuleLease& operator=(const TDataModuleLease&) = delete;

private:
    bool made_ = false;
};

// The data module's system connection for as long as the lease lives; one
// opened here is closed again (what is still open in its transaction was
// left by a failure and goes with the detach). The data module must exist.
class TSystemConnectionLease final {
public:
    // Connects on the database host of SystemDef. With report, a failed
    // connect has been shown to the user and Connected() is false;
    // without, the error propagates.
    explicit TSystemConnectionLease(bool report = false);
    ~TSystemConnectionLease();
    TSystemConnectionLease(const TSystemConnectionLease&) = delete;
    TSystemConnectionLease& operator=(const TSystemConnectionLease&) = delete;

    bool Connected() const noexcept { return connected_; }

private:
    bool opened_ = false;
    bool connected_ = false;
};

// The frame of a conversion after an update's script, on the system
// database: the data module and its connection leased, the conversion run
// in the system transaction (joined when one is running), what it wrote
// committed also when it failed. 1, or 19 (UpdateResultConversionError)
// when the connection fails or the conversion raises; a database error is
// written to the error log under location.
std::int32_t RunSystemConversion(const std::string& location, const std::function<void()>& convert);
