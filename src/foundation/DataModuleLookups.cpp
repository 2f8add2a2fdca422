// Small lookups of the data module on the system database.

#include "foundation/DataModule.h"

#include "foundation/AccInf.h"
#include "foundation/DataPathSplit.h"
#include "foundation/ErrorHandling.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"

#include <cstdlib>
#include <string>

namespace {

std::int32_t FolderValue(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<std::int32_t>(std::strtol(text.c_str(), nullptr, 10));
}

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}  // namespace

void TDM::GetDataListRec(const std::string& path, std::int32_t& rec, std::int32_t& row)
{
    rec = 0;
    row = 0;
    if (TrimZen(path).empty())
        return;
    if (ConnectionMode == 0) {
        std::string first, second;
        SplitDataPath(path, first, second);
        rec = FolderValue(first);
        row = FolderValue(second);
        return;
    }
    const bool started = !IBTransactionDEF.InTransaction();
    try {
        if (started)
            IBTransactionDEF.Start();
        IBSQLDEF.SetSQL("SELECT REC FROM DATALIST\nWHERE (GROUPID=:GROUPID) AND (UPPER(PASNAME)=:PASNAME)");
        IBSQLDEF.ParamByName("GROUPID").SetInteger(SystemDef.GROUPID);
        IBSQLDEF.ParamByName("PASNAME").SetString(AsciiUpper(path));
        for (IBSQLDEF.Open(); !IBSQLDEF.Eof(); IBSQLDEF.Next())
            rec = IBSQLDEF.FieldByName("REC").AsInteger();
        IBSQLDEF.Close();
    } catch (const std::exception&) {
        IBSQLDEF.Close();
    }
    try {
        if (started && IBTransactionDEF.InTransaction())
            IBTransactionDEF.Commit();
    } catch (const std::exception&) {
    }
}

bool TDM::SetJobControl(const std::string& jobId, const std::string& option)
{
    const char* const message = "メニュー制御情報の取得に失敗しました。";
    const bool started = !IBTransactionDEF.InTransaction();
    bool allowed = false;
    try {
        if (started)
            IBTransactionDEF.Start();
        // The level number is a 16-bit value.
        const auto level = static_cast<std::int16_t>(SystemDef.JOBLEVEL + (AccInf.MedicalChart ? 1000 : 0));
        IBSQLDEF.SetSQL("SELECT COUNT(PROC_ID) AS REC_CNT FROM JOBCONTROL2\nWHERE LEVELNO=:LEVELNO");
        IBSQLDEF.ParamByName("LEVELNO").SetInteger(level);
        IBSQLDEF.Open();
        const bool restricted = IBSQLDEF.FieldByName("REC_CNT").AsInteger() > 0;
        IBSQLDEF.Close();
        if (!restricted) {
            allowed = true;
        } else {
            const bool withOption = !TrimZen(option).empty();
            IBSQLDEF.SetSQL(std::string("SELECT PROC_ID,PROC_OPTION FROM JOBCONTROL2\n"
                                        "WHERE (LEVELNO=:LEVELNO) AND (PROC_ID=:PROC_ID)") +
                            (withOption ? "\nAND (PROC_OPTION LIKE :PROC_OPTION)" : ""));
            IBSQLDEF.ParamByName("LEVELNO").SetInteger(level);
            IBSQLDEF.ParamByName("PROC_ID").SetString(jobId);
            if (withOption)
                IBSQLDEF.ParamByName("PROC_OPTION").SetString("%" + option + "%");
            IBSQLDEF.Open();
            allowed = !IBSQLDEF.Eof();
            IBSQLDEF.Close();
        }
        if (started)
            IBTransactionDEF.Commit();
        return allowed;
    } catch (const db::FbError& e) {
        IBSQLDEF.Close();
        if (!started)
            return false;
        HandleIBError(e, "TDM.SetJobControl", message);
    } catch (const std::exception& e) {
        IBSQLDEF.Close();
        if (!started)
            return false;
        ShowErrorMessage(message, e.what(), TMsgDlgType::mtError);
    }
    try {
        if (IBTransactionDEF.InTransaction())
            IBTransactionDEF.Commit();
    } catch (const std::exception&) {
    }
    return false;
}
