// The operator's facilities in the open company data: his rights, his usual
// facility and a facility's settings text.

#include "foundation/AccInf.h"
#include "foundation/DataModule.h"
#include "foundation/ErrorHandling.h"
#include "foundation/SitenList.h"
#include "foundation/StringUtils.h"
#include "foundation/SystemDef.h"
#include "platform/NumberText.h"
#include "platform/db/JoinedTransaction.h"

#include <stdexcept>
#include <string>

namespace {

constexpr std::int32_t DefaultFacilityColor = 16756608;

bool IsColorKey(const std::string& key)
{
    static const std::string color = "COLOR";
    if (key.size() != color.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char c = key[i] >= 'a' && key[i] <= 'z' ? static_cast<char>(key[i] - 'a' + 'A') : key[i];
        if (c != color[i])
            return false;
    }
    return true;
}

// The rows of the usual facility's query, by rights and chart.
std::string UsualFacilitySql()
{
    const bool medical = AccInf.MedicalChart != 0;
    if (TDM::IsOpeUnrestricted()) {
        if (!medical) {
            if (AccInf.SITEN != 0)
                return "SELECT SCODE,SNAME,1 AS JIGYOKBN,XSTR FROM SISETUMST\n"
                       "WHERE SCODE=(SELECT MIN(SCODE) FROM SISETUMST WHERE SCODE<>'')";
            return "SELECT '' AS SCODE,SHOUGOU AS SNAME,1 AS JIGYOKBN,0 AS XSTR FROM ACCDEF1";
        }
        if (AccInf.SITEN == 0)
            throw std::runtime_error(
                "このデータは医療法人データですが、施設管理がおこなわれていません。\r"
                "データが損傷している可能性があります。");
        return "SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST\n"
               "WHERE SCODE=(SELECT MIN(SCODE) FROM SISETUMST WHERE (SCODE<>'') AND (SCODE<>'00'))";
    }
    if (!medical)
        return "SELECT O.SCODE,S.SNAME,1 AS JIGYOKBN,S.XSTR FROM OPDEFSISETU O\n"
               "INNER JOIN SISETUMST S ON (O.SCODE=S.SCODE)\nWHERE OPCODE=:OPCODE";
    return "SELECT O.SCODE,S.SNAME,S.MB_JIGYOU AS JIGYOKBN,S.XSTR FROM OPDEFSISETU O\n"
           "INNER JOIN SISETUMST S ON (O.SCODE=S.SCODE)\nWHERE OPCODE=:OPCODE";
}

// Takes every row into SystemDef (the last one wins); whether there was one.
bool TakeUsualFacility(db::Query& query, std::string& name)
{
    bool any = false;
    for (query.Open(); !query.Eof(); query.Next()) {
        any = true;
        std::string code = query.FieldByName("SCODE").AsString();
        if (code.empty())
            code.push_back(' ');
        SystemDef.FacilityCode = code;
        SystemDef.FacilityCodeCopy = code;
        SystemDef.FacilityBusinessKind = query.FieldByName("JIGYOKBN").AsInteger();
        SystemDef.FacilityColor =
            std::get<std::int32_t>(TDM::GetXstrValue(query.FieldByName("XSTR").AsString(), "COLOR"));
        name = query.FieldByName("SNAME").AsString();
    }
    query.Close();
    return any;
}

}  // namespace

bool TDM::IsOpeUnrestricted()
{
    return SystemDef.FacilityRightsOff == 1 || SystemDef.JIMUSHO != 0 || SystemDef.JOBLEVEL == 9;
}

bool TDM::HasOpeDefSisetu()
{
    if (IsOpeUnrestricted())
        return true;
    db::JoinedTransaction joined(IBTransactionDAT);
    IBQACC1.Close();
    IBQACC1.SetSQL(
        "SELECT OD.OPCODE,OD.SCODE FROM OPDEFSISETU OD\nINNER JOIN OPLICENSE OL ON (OD.OPCODE=OL.OPCODE)\n"
        "WHERE OD.OPCODE=:OPCODE");
    IBQACC1.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
    IBQACC1.Open();
    const bool found = !IBQACC1.Eof();
    IBQACC1.Close();
    joined.Commit();
    return found;
}

std::string TDM::GetOpeDefSisetu()
{
    const char* const message = "通常使用するデータ（本・支店）の取得に失敗しました。";
    std::string name;
    try {
        db::JoinedTransaction joined(IBTransactionDAT);
        IBQACC1.Close();
        IBQACC1.SetSQL(UsualFacilitySql());
        if (!IsOpeUnrestricted())
            IBQACC1.ParamByName("OPCODE").SetInteger(SystemDef.OPCODE);
        const bool found = TakeUsualFacility(IBQACC1, name);
        // Medical data always has its head office "00" to fall back on.
        if (!found && AccInf.MedicalChart != 0) {
            IBQACC1.SetSQL("SELECT SCODE,SNAME,MB_JIGYOU AS JIGYOKBN,XSTR FROM SISETUMST\nWHERE SCODE='00'");
            TakeUsualFacility(IBQACC1, name);
        }
        joined.Commit();
        return name;
    } catch (const db::FbError& error) {
        IBQACC1.Close();
        HandleIBError(error, "TDM.GetOpeDefSisetu", message);
    } catch (const std::exception& error) {
        IBQACC1.Close();
        ShowErrorMessage(message, error.what(), TMsgDlgType::mtError);
    }
    return {};
}

std::variant<std::int32_t, std::string> TDM::GetXstrValue(const std::string& text, const std::string& key)
{
    const std::string value = GetParamValue(text, key);
    if (!IsColorKey(key))
        return value;
    const std::int32_t color = StrToIntDef(TrimZen(value), 0);
    return color > 0 ? color : DefaultFacilityColor;
}

bool TDM::IsAllSisetuPermitted(std::int32_t operatorCode)
{
    if (AccInf.SITEN == 0)
        return true;
    // The facility list with facilities only, for everybody and for the
    // operator (everybody again when he is unrestricted).
    const auto count = [this](std::int32_t code) {
        TSitenList list;
        list.SetSitenTransaction(IBTransactionDAT);
        list.Kinds = SitenKindFacilities;
        list.RefreshSitenList(code);
        return list.Count;
    };
    return count(-1) == count(IsOpeUnrestricted() ? -1 : operatorCode);
}
