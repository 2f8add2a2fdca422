#pragma once
// Whether a company data set takes part in cloud sharing: ACCDEF1.CLOUD_LINE
// of its database (0 off, above 0 the cloud-share line), mirrored in
// stand-alone mode into the folder's information file (DATAINFO,
// CLOUD_SHARE 0 or 1). The data folder need not be open: a closed one is
// opened for the call and closed again; an open one stays open.
//
// Data of version 11.0.0 and below has no cloud-share setting: nothing is
// read or written there.
//
// Errors, when the call started its own transaction: a database error goes
// to HandleIBError ("TComCloudShare.ClearSetting"), any other to
// ShowErrorMessage, then the transaction is rolled back. Inside an outer
// transaction they are neither reported nor rolled back here. SetSetting
// answers false after an error, GetSetting what it had read (0 when
// nothing).

#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

#include <cstdint>
#include <string>

class TCloudShareIO final {
public:
    // Needs the data module (DM); works on its company database.
    TCloudShareIO();
    ~TCloudShareIO();
    TCloudShareIO(const TCloudShareIO&) = delete;
    TCloudShareIO& operator=(const TCloudShareIO&) = delete;

    // host: the database server name, folder: the data folder, as
    // TDM::fnAccDatConnected takes them.
    bool ClearSetting(const std::string& host, const std::string& folder);
    bool SetSetting(const std::string& host, const std::string& folder, std::int32_t value);
    std::int32_t GetSetting(const std::string& host, const std::string& folder);

private:
    // Runs body on the folder's database in the object's transaction with
    // the conventions above; false when it failed or the data is too old
    // to carry the setting (then body did not run and ok stays true).
    template <typename Body>
    bool Run(const std::string& host, const std::string& folder, const char* message, Body&& body);

    db::Transaction transaction_;
    db::Query sql_;
};
