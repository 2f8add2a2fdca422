#include "dataselect/CloudShareIO.h"

#include "dataselect/DataFolderStatus.h"
#include "foundation/DataInfomation.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/VersionUtils.h"
#include "platform/IniFile.h"
#include "platform/db/FbError.h"

#include <cstdio>
#include <exception>

namespace {

constexpr const char* Location = "TComCloudShare.ClearSetting";

}  // namespace

TCloudShareIO::TCloudShareIO()
    : transaction_(DM->IBDatabaseDAT, db::TransactionOptions::ReadCommitted()), sql_(DM->IBDatabaseDAT, transaction_)
{}

TCloudShareIO::~TCloudShareIO() = default;

template <typename Body>
bool TCloudShareIO::Run(const std::string& host, const std::string& folder, const char* message, Body&& body)
{
    const bool wasConnected = DM->IBDatabaseDAT.Connected();
    if (!wasConnected && !DM->fnAccDatConnected(host, folder, false))
        return false;
    const bool started = !transaction_.InTransaction();
    bool ok = false;
    try {
        if (started)
            transaction_.Start();
        sql_.SetSQL("SELECT MAJOR,MINOR1,MINOR2 FROM ACCVERSION\nORDER BY MAJOR DESC,MINOR1 DESC,MINOR2 DESC");
        sql_.Open();
        char version[40] = "0.0.0";
        if (!sql_.Eof())
            std::snprintf(version, sizeof version, "%d.%d.%d", sql_.FieldByName("MAJOR").AsInteger(),
                          sql_.FieldByName("MINOR1").AsInteger(), sql_.FieldByName("MINOR2").AsInteger());
        sql_.Close();
        if (VersionGreater(version, "11.0.0"))
            body();
        if (started)
            transaction_.Commit();
        ok = true;
    } catch (const std::exception& e) {
        sql_.Close();
        if (started) {
            if (const auto* fb = dynamic_cast<const db::FbError*>(&e))
                HandleIBError(*fb, Location, message);
            else
                ShowErrorMessage(message, e.what(), TMsgDlgType::mtError);
            if (transaction_.InTransaction())
                transaction_.Rollback();
        }
    }
    if (!wasConnected) {
        try {
            DM->fnAccDatDisConnected(folder, false, false);
        } catch (const std::exception&) {
            // Closing without any refresh has nothing left to fail on.
        }
    }
    return ok;
}

bool TCloudShareIO::ClearSetting(const std::string& host, const std::string& folder)
{
    return SetSetting(host, folder, 0);
}

bool TCloudShareIO::SetSetting(const std::string& host, const std::string& folder, std::int32_t value)
{
    return Run(host, folder, "クラウドシェアの設定に失敗しました。", [&] {
        sql_.SetSQL("UPDATE ACCDEF1 SET CLOUD_LINE=:CLOUD_LINE\nWHERE REC=1");
        sql_.ParamByName("CLOUD_LINE").SetInteger(value);
        sql_.ExecSQL();
        if (ConnectionMode == 0) {
            IniFile ini(DataInfoFileOfFolder(folder));
            ini.WriteInteger("DATAINFO", "CLOUD_SHARE", value > 0 ? 1 : 0);
        }
    });
}

std::int32_t TCloudShareIO::GetSetting(const std::string& host, const std::string& folder)
{
    std::int32_t value = 0;
    Run(host, folder, "クラウドシェアの参照に失敗しました。", [&] {
        sql_.SetSQL("SELECT CLOUD_LINE FROM ACCDEF1\nWHERE REC=1");
        for (sql_.Open(); !sql_.Eof(); sql_.Next())
            value = sql_.FieldByName("CLOUD_LINE").AsInteger();
        sql_.Close();
    });
    return value;
}
