#include "calc/TaxCodes.h"

#include "calc/TaxContext.h"
#include "platform/Cp932.h"

#include <initializer_list>
#include <map>

namespace {

// Class names are padded to a fixed byte width, as the reports that print
// them expect.
constexpr std::size_t ClassNameBytes = 24;

std::string PadClassName(const std::string& name)
{
    const std::size_t width = cp932::ByteWidth(name);
    return width >= ClassNameBytes ? name : name + std::string(ClassNameBytes - width, ' ');
}

const char* const KindDigits[] = {"１", "２", "３", "４", "５", "６"};

class CodeTable {
public:
    CodeTable()
    {
        const std::initializer_list<const char*> nonTaxable = {"免税売上", "非課税売上", "非課税売上（有価証券）",
                                                               "非課税売上（輸出等）"};
        const std::initializer_list<const char*> purchase = {"課税売上対応課税仕入", "共通売上対応課税仕入",
                                                             "非課売上対応課税仕入"};
        const std::initializer_list<const char*> import = {"課税売上対応課税輸入", "共通売上対応課税輸入",
                                                           "非課売上対応課税輸入"};
        const std::initializer_list<const char*> purchaseReturn = {
            "課税売上対応課税仕入返還", "共通売上対応課税仕入返還", "非課売上対応課税仕入返還"};
        const std::initializer_list<const char*> importReturn = {"課税売上対応課税輸入返還", "共通売上対応課税輸入返還",
                                                                 "非課売上対応課税輸入返還"};

        // Sales, recovered bad debts, returns and bad debts: 110-450.
        Add(110, "売上", "課税売上", 1, 1, 3);
        Kinds(111, "売上", "課税売上", 1, 3);
        Series(120, 10, "売上", nonTaxable, 0, 3);
        Add(210, "貸倒回収", "課税売上", 0, 1, 3);
        Series(220, 10, "貸倒回収", nonTaxable, 0, 3);
        Add(310, "返還", "課税売上", 1, 1, 1);
        Kinds(311, "返還", "課税返還", 1, 1);
        Series(320, 10, "返還", nonTaxable, 0, 1);
        Add(410, "貸倒", "課税売上", 0, 1, 1);
        Series(420, 10, "貸倒", nonTaxable, 0, 1);

        // Purchases: 511-583.
        Series(511, 1, "仕入", purchase, 2, 1);
        Series(521, 1, "仕入", import, 2, 1);
        Series(531, 1, "仕入", {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）", "非課税売上対調整（棚卸）"}, 2,
               1);
        Add(540, "仕入", "非課税仕入", 0, 0, 1);
        Series(551, 1, "仕入", {"課税売上対応特定課税仕入", "共通売上対応特定課税仕入", "非課売上対応特定課税仕入"}, 2,
               1);
        Series(561, 1, "仕入", purchaseReturn, 2, 3);
        Series(571, 1, "仕入", importReturn, 2, 3);
        Series(581, 1, "仕入", {"課税売上対応特定仕入返還", "共通売上対応特定仕入返還", "非課売上対応特定仕入返還"}, 2,
               3);

        // Suspense tax received: 610-640.
        Add(610, "仮受", "売上", 1, 0, 3);
        Kinds(611, "仮受", "課税売上", 0, 3);
        Add(620, "仮受", "貸倒回収", 0, 0, 3);
        Add(630, "仮受", "返還", 1, 0, 1);
        Kinds(631, "仮受", "課税返還", 0, 1);
        Add(640, "仮受", "貸倒", 0, 0, 1);

        // Suspense tax paid: 711-776.
        Series(711, 1, "仮払", purchase, 0, 1);
        Series(721, 1, "仮払", import, 0, 1);
        Series(724, 1, "仮払", {"課税売上対応課税輸入(国)", "共通売上対応課税輸入(国)", "非課売上対応課税輸入(国)"}, 0,
               1);
        Series(731, 1, "仮払", {"課税売上対応調整（棚卸）", "共通売上対応調整（棚卸）", "非課売上対応調整（棚卸）"}, 0,
               1);
        Series(761, 1, "仮払", purchaseReturn, 0, 3);
        Series(771, 1, "仮払", importReturn, 0, 3);
        Series(774, 1, "仮払", {"課税売対課税輸入返還(国)", "共通売対課税輸入返還(国)", "非課売対課税輸入返還(国)"}, 0,
               3);

        Add(810, "課税対象外", "課税対象外・不課税", 0, 0, 0);
        // Six full-width blanks, then the half-width padding.
        Add(910, "区分未定", "区分未定　　　　　　", 0, 0, 0);
    }

    const TTaxCodeInfo* Find(std::int32_t code) const
    {
        const auto it = codes_.find(code);
        return it == codes_.end() ? nullptr : &it->second;
    }

private:
    void Add(std::int32_t code, const char* category, const std::string& className, std::int32_t marker,
             std::int32_t uh, std::int32_t dc)
    {
        codes_[code] = TTaxCodeInfo{category, PadClassName(className), marker, uh, dc};
    }
    // The six codes of the business kinds 1-6: 第１種 + the name.
    void Kinds(std::int32_t first, const char* category, const char* name, std::int32_t uh, std::int32_t dc)
    {
        for (int kind = 0; kind < 6; ++kind)
            Add(first + kind, category, std::string("第") + KindDigits[kind] + "種" + name, 2, uh, dc);
    }
    void Series(std::int32_t first, std::int32_t step, const char* category, std::initializer_list<const char*> names,
                std::int32_t uh, std::int32_t dc)
    {
        std::int32_t code = first;
        for (const char* name : names) {
            Add(code, category, name, 0, uh, dc);
            code += step;
        }
    }

    std::map<std::int32_t, TTaxCodeInfo> codes_;
};

const CodeTable& Codes()
{
    static const CodeTable table;
    return table;
}

bool InRange(std::int32_t code, std::int32_t from, std::int32_t to)
{
    return code >= from && code <= to;
}

bool IsAccount(const std::string& account, const std::string& systemCode)
{
    return !systemCode.empty() && account == systemCode;
}

bool IsOutOfScopeOrUndecided(std::int32_t code)
{
    return code == 810 || code == 910;
}

const char* const SpecifiedCodes = "特定課税仕入れ用の消費税コード[551,552,553,581,582,583]では";

}  // namespace

void NormalizeSalesTaxCode(std::int32_t& code)
{
    const TTaxSettings settings = TaxContext().Settings();
    if (settings.TAXKANNI == 1) {
        if (code == 110 || code == 310 || code == 610 || code == 630)
            code += settings.TAXJIGYOU;
        return;
    }
    for (const std::int32_t base : {110, 310, 610, 630}) {
        if (InRange(code, base + 1, base + 6))
            code = base;
    }
}

bool GetTaxCodeInfo(std::int32_t code, TTaxCodeInfo& info)
{
    if (const TTaxCodeInfo* found = Codes().Find(code)) {
        info = *found;
        return true;
    }
    info = TTaxCodeInfo{"Error" + std::string(15, ' '), " ", 9, 0, 0};
    return false;
}

bool CheckTaxCodeForAccount(std::string& message, const std::string& account, std::int32_t code)
{
    const TTaxSettings settings = TaxContext().Settings();
    if (IsAccount(account, settings.KaribaraiCode)) {
        if (!(InRange(code, 711, 713) || InRange(code, 721, 726) || InRange(code, 731, 733) ||
              InRange(code, 761, 763) || InRange(code, 771, 776) || IsOutOfScopeOrUndecided(code))) {
            message = "仮払消費税の税コードは[700番台,810,910]を使用してください。";
            return false;
        }
        message.clear();
    } else if (InRange(code, 700, 799)) {
        message = "税コードが[700番台]は、科目に仮払消費税を使用してください。";
        return false;
    }
    if (!IsAccount(account, settings.KariukeCode)) {
        if (InRange(code, 600, 699)) {
            message = "税コードが[600番台]は、科目に仮受消費税を使用してください。";
            return false;
        }
        return true;
    }
    const bool kinds = InRange(code, 611, 616) || InRange(code, 631, 636);
    const char* const wrongCode = "仮受消費税の税コードは[600番台,810,910]を使用してください。";
    if (settings.TAXKANNI == 0) {
        if (code == 610 || code == 620 || code == 630 || code == 640 || IsOutOfScopeOrUndecided(code)) {
            message.clear();
            return true;
        }
        if (kinds) {
            message = "注意：原則課税が選択されています。";
            return true;
        }
        message = wrongCode;
        return false;
    }
    if (settings.TAXKANNI == 1) {
        if (code == 610 || code == 630) {
            message = "注意：簡易課税が選択されています。";
            return true;
        }
        if (kinds || code == 620 || code == 640 || IsOutOfScopeOrUndecided(code)) {
            message.clear();
            return true;
        }
        message = wrongCode;
        return false;
    }
    return true;
}

bool CheckTaxCounterCode(std::string& message, const std::string& account, std::int32_t& code)
{
    const TTaxSettings settings = TaxContext().Settings();
    if (!IsAccount(account, settings.KaribaraiCode) && !IsAccount(account, settings.KariukeCode))
        return true;
    if (IsOutOfScopeOrUndecided(code))
        return true;
    message = "仮受消費税、仮払消費税の相手税コードは[810,910]を使用してください。";
    code = 810;
    return false;
}

bool CheckSundryTaxCode(std::string& message, const std::string& account, std::int32_t& code)
{
    if (!IsAccount(account, TaxContext().Settings().ShokuchiCode) || IsOutOfScopeOrUndecided(code))
        return true;
    message = "諸口の消費税コードは、[810,910]を使用してください。";
    code = 810;
    return false;
}

bool IsSpecifiedPurchaseCode(std::int32_t code)
{
    return InRange(code, 551, 553) || InRange(code, 581, 583);
}

std::int32_t CheckSpecifiedPurchaseCode(std::string& message, std::int32_t& code, std::int32_t rateCode, TDateTime date)
{
    if (!IsSpecifiedPurchaseCode(code))
        return 1;
    std::int32_t result = 1;
    // Specified purchases are taxed on the buyer's side from this day on.
    if (date < EncodeDate(2015, 10, 1)) {
        message = std::string(SpecifiedCodes) + "[" + TaxContext().DateText(date) + "]より前の取引を登録できません。";
        result = 0;
    }
    const char* rate = rateCode == 1 ? "3%" : rateCode == 2 ? "5%" : rateCode == 4 ? "軽減8%" : nullptr;
    if (rate != nullptr) {
        message = std::string(SpecifiedCodes) + "税率[" + rate + "]は使用できません。";
        result = 0;
    }
    return result;
}
