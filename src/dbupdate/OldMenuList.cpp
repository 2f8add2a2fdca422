#include "dbupdate/OldMenuList.h"

#include "foundation/ProgramGlobals.h"
#include "foundation/DataModule.h"

namespace z5MenuListOldHistory {

namespace {

// The filled slots of each page. The levels above 1000 share the general
// pages but for 2, 4, 5 and 10, and have two pages more.
constexpr TMenuListRec kPage1[] = {
    {"QvSiwake", 1, 0, "SyoriType=1"},  {"QvSiwake", 1, 1, "SyoriType=0"}, {"QvMonitor", 1, 2, ""},
    {"QvMotocho", 1, 3, "SyoriType=0"}, {"QvSisanhyo", 1, 4, ""},          {"QvNippou", 1, 5, ""},
    {"QvDataGassan", 1, 10, ""},
};

constexpr TMenuListRec kPage2[] = {
    {"QvHojinKessansyo", 2, 0, ""},
    {"QvCashFlow", 2, 1, ""},
    {"QvIkkatuPrint", 2, 2, ""},
    {"QvGaikyosyo", 2, 3, ""},
    {"QvKojinKessansyo", 2, 5, ""},
    {"QvGenkaSyokyaku", 2, 6, ""},
    {"QvTouzaChoseihyo", 2, 7, "SyoriType=0"},
    {"QvNendoKousin", 2, 10, ""},
    {"QvKurikosiChosei", 2, 11, ""},
    {"QvIkkatuZeinuki", 2, 14, ""},
    {"QvDensiChoubo", 2, 15, ""},
};

constexpr TMenuListRec kPage3[] = {
    {"QvTaxKazeiSet", 3, 0, ""},  {"QvTaxSinkokusyo", 3, 1, ""}, {"QvTaxUtiwakesyo", 3, 2, ""},
    {"QvTaxSyukeihyo", 3, 3, ""}, {"QvTaxSisanhyo", 3, 4, ""},   {"QvTaxSinkokusyoSyusei", 3, 5, ""},
};

constexpr TMenuListRec kPage4[] = {
    {"QvSimulation", 4, 0, ""},       {"QvGetujiHikakuGraph", 4, 1, ""},
    {"QvSankiHikakuGraph", 4, 2, ""}, {"QvSankiKamokuGraph", 4, 3, ""},
    {"QvKeieiBunseki", 4, 4, ""},     {"QvSogoHikakuPL", 4, 5, ""},
    {"QvYojitutaihi", 4, 6, ""},      {"QvYosoku", 4, 7, ""},
    {"QvGetujiHikaku", 4, 8, ""},     {"QvSankiHikaku", 4, 9, ""},
    {"QvBumonHikakuBL", 4, 10, ""},   {"QvSikinguri", 4, 11, ""},
    {"QvSitenHikakuBL", 4, 12, ""},   {"QvKanendoZan", 4, 17, ""},
    {"QvYosan", 4, 18, ""},           {"QvZenkamoku2", 4, 19, ""},
};

constexpr TMenuListRec kPage5[] = {
    {"QvKihon2", 5, 0, ""},       {"QvBumon2", 5, 1, ""},     {"QvKamoku2", 5, 2, ""},     {"QvKaisizan2", 5, 3, ""},
    {"QvBumKaisizan2", 5, 4, ""}, {"QvSitenGroup", 5, 5, ""}, {"QvCodeHenkou", 5, 15, ""},
};

constexpr TMenuListRec kPage6[] = {
    {"QvCodeTaikei", 6, 0, ""},
    {"QvOperator", 6, 1, ""},
    {"QvSiwakeText", 6, 5, "SyoriType=2"},
    {"QvSiwakeText", 6, 6, "SyoriType=1"},
    {"QvSiwakeText", 6, 7, "SyoriType=0"},
    {"QvSiwakeJisyoCP", 6, 10, ""},
    {"QvSiwakeJisyoEx", 6, 11, "SyoriType=0"},
    {"QvSiwakeJisyoEx", 6, 12, "SyoriType=1"},
    {"QvBookmarkSet", 6, 13, ""},
    {"QvSiwakeSyufuku", 6, 15, ""},
    {"QvChouboSet", 6, 19, ""},
};

constexpr TMenuListRec kPage7[] = {
    {"QvUtiwake01", 7, 0, ""},  {"QvUtiwake02", 7, 1, ""},   {"QvUtiwake03", 7, 2, ""},  {"QvUtiwake04", 7, 3, ""},
    {"QvUtiwake05", 7, 4, ""},  {"QvUtiwake06", 7, 5, ""},   {"QvUtiwake07", 7, 6, ""},  {"QvUtiwake08", 7, 7, ""},
    {"QvUtiwake09", 7, 8, ""},  {"QvUtiwake10", 7, 9, ""},   {"QvUtiwake11", 7, 10, ""}, {"QvUtiwake12", 7, 11, ""},
    {"QvUtiwake13", 7, 12, ""}, {"QvUtiwake14", 7, 13, ""},  {"QvUtiwake15", 7, 14, ""}, {"QvUtiwake16", 7, 15, ""},
    {"QvUtiwake17", 7, 16, ""}, {"QvUtiwakeAll", 7, 19, ""},
};

constexpr TMenuListRec kPage8[] = {
    {"QvDataTusin", 8, 0, "SyoriType=1"},   {"QvDataTusin", 8, 1, "SyoriType=2"},
    {"QvTusinSettei", 8, 2, "SyoriType=1"}, {"QvQelHozn", 8, 5, "SyoriType=1"},
    {"QvQelHozn", 8, 6, "SyoriType=2"},     {"QvDataTusin", 8, 10, "SyoriType=3"},
    {"QvDataTusin", 8, 11, "SyoriType=4"},  {"QvTusinSettei", 8, 12, "SyoriType=2"},
    {"QvDataTusin", 8, 13, "SyoriType=8"},  {"QvDataTusin", 8, 14, "SyoriType=5"},
};

constexpr TMenuListRec kPage9[] = {
    {"QvKansa", 9, 0, ""},         {"QvOASettei", 9, 1, ""},  {"QvTavenInfo", 9, 2, ""},
    {"QvNavigoMenuCtl", 9, 3, ""}, {"QvTavenMenu", 9, 4, ""},
};

constexpr TMenuListRec kPage10[] = {
    {"QvNavigore1", 10, 0, ""},
    {"QvNavigore_HendouSoneki", 10, 1, ""},
    {"QvHikakuSuiihyo", 10, 10, ""},
};

constexpr TMenuListRec kSecondPage2[] = {
    {"QvMBKessansyo", 2, 0, ""},    {"QvMBKessansyoSisetsu", 2, 1, ""},
    {"QvMBHokukuJigyo", 2, 2, ""},  {"QvMBHokukuZaisan", 2, 3, ""},
    {"QvMBHokukuKansa", 2, 4, ""},  {"QvCashFlow", 2, 5, ""},
    {"QvIkkatuPrint", 2, 6, ""},    {"QvGaikyosyo", 2, 7, ""},
    {"QvGenkaSyokyaku", 2, 8, ""},  {"QvTouzaChoseihyo", 2, 9, "SyoriType=0"},
    {"QvNendoKousin", 2, 10, ""},   {"QvKurikosiChosei", 2, 11, ""},
    {"QvIkkatuZeinuki", 2, 14, ""}, {"QvDensiChoubo", 2, 15, ""},
};

constexpr TMenuListRec kSecondPage4[] = {
    {"QvSimulation", 4, 0, ""},       {"QvGetujiHikakuGraph", 4, 1, ""}, {"QvSankiHikakuGraph", 4, 2, ""},
    {"QvSankiKamokuGraph", 4, 3, ""}, {"QvKeieiBunseki2", 4, 4, ""},     {"QvSogoHikakuPL", 4, 5, ""},
    {"QvYojitutaihi", 4, 6, ""},      {"QvYosoku2", 4, 7, ""},           {"QvGetujiHikaku", 4, 8, ""},
    {"QvSankiHikaku", 4, 9, ""},      {"QvBumonHikakuBL", 4, 10, ""},    {"QvSikinguri", 4, 11, ""},
    {"QvSitenHikakuBL", 4, 12, ""},   {"QvKanendoZan", 4, 17, ""},       {"QvYosan2", 4, 18, ""},
    {"QvZenkamoku2", 4, 19, ""},
};

constexpr TMenuListRec kSecondPage5[] = {
    {"QvKihon2", 5, 0, ""},       {"QvBumon2", 5, 1, ""},     {"QvMBKamoku2", 5, 2, ""},   {"QvKaisizan2", 5, 3, ""},
    {"QvBumKaisizan2", 5, 4, ""}, {"QvSitenGroup", 5, 5, ""}, {"QvCodeHenkou", 5, 15, ""},
};

constexpr TMenuListRec kSecondPage10[] = {
    {"QvHikakuSuiihyo", 10, 10, ""},
};

constexpr TMenuListRec kSecondPage11[] = {
    {"QvFuzokuKikan", 11, 0, ""},   {"QvFuzokuM01", 11, 1, ""},  {"QvFuzokuM02", 11, 2, ""},
    {"QvFuzokuM03", 11, 3, ""},     {"QvFuzokuM04", 11, 4, ""},  {"QvFuzokuM05", 11, 5, ""},
    {"QvFuzokuM06", 11, 6, ""},     {"QvFuzokuM07", 11, 7, ""},  {"QvFuzokuM08", 11, 8, ""},
    {"QvFuzokuM09", 11, 9, ""},     {"QvFuzokuR01", 11, 10, ""}, {"QvFuzokuR02", 11, 11, ""},
    {"QvFuzokuR03", 11, 12, ""},    {"QvFuzokuR04", 11, 13, ""}, {"QvFuzokuR05", 11, 14, ""},
    {"QvFuzokuIkkatu", 11, 19, ""},
};

constexpr TMenuListRec kSecondPage12[] = {
    {"QvGenkaHaifuSettei", 12, 0, ""}, {"QvGenkaKeisan01", 12, 1, ""},  {"QvGenkaKeisan02", 12, 2, ""},
    {"QvGenkaKeisan03", 12, 3, ""},    {"QvGenkaKeisan04", 12, 4, ""},  {"QvGenkaKeisan05", 12, 5, ""},
    {"QvGenkaKeisan06", 12, 6, ""},    {"QvGenkaKeisan07", 12, 7, ""},  {"QvGenkaKeisan08", 12, 8, ""},
    {"QvGenkaKeisan09", 12, 9, ""},    {"QvGenkaKeisan10", 12, 10, ""}, {"QvGenkaKeisan11", 12, 11, ""},
};

// Pages 1 to 10 of the general menu.
constexpr std::span<const TMenuListRec> kGeneral[] = {kPage1, kPage2, kPage3, kPage4, kPage5,
                                                      kPage6, kPage7, kPage8, kPage9, kPage10};

// Pages 1 to 12 of the levels above 1000.
constexpr std::span<const TMenuListRec> kSecond[] = {kPage1,       kSecondPage2,  kPage3,        kSecondPage4,
                                                     kSecondPage5, kPage6,        kPage7,        kPage8,
                                                     kPage9,       kSecondPage10, kSecondPage11, kSecondPage12};

// The line of the parameters whose name is "SyoriType", or empty.
std::string SyoriTypeLine(const std::string& params)
{
    const std::string value = TDM::GetParamValue(params, "SyoriType");
    return value.empty() ? std::string() : "SyoriType=" + value;
}

void Find(std::span<const std::span<const TMenuListRec>> pages, std::int32_t pageNo, std::int32_t menuNo,
          std::string& procId, std::string& option)
{
    if (pageNo < 1 || static_cast<std::size_t>(pageNo) > pages.size())
        return;
    for (const TMenuListRec& rec : pages[static_cast<std::size_t>(pageNo - 1)]) {
        if (rec.Page == pageNo && rec.Position == menuNo) {
            procId = rec.ProcId;
            option = SyoriTypeLine(rec.Params);
            return;
        }
    }
}

}  // namespace

std::span<const std::span<const TMenuListRec>> GeneralMenuList()
{
    return kGeneral;
}

std::span<const std::span<const TMenuListRec>> SecondMenuList()
{
    return kSecond;
}

void GetOldMenuProc(std::int32_t levelNo, std::int32_t pageNo, std::int32_t menuNo, std::string& procId,
                    std::string& option, std::string& procIdCopy)
{
    procId.clear();
    option.clear();
    if (levelNo > 1000) {
        Find(kSecond, pageNo, menuNo, procId, option);
    } else {
        Find(kGeneral, pageNo, menuNo, procId, option);
        // The editions with individual costing had their own journal and
        // ledger programs in these slots of the first page.
        if ((EditionFlag == 1 || EditionFlag == 2) && pageNo == 1) {
            switch (menuNo) {
            case 15:
                procId = "QvBrendalSiwake";
                option = "SyoriType=1";
                break;
            case 17:
                procId = "QvKobetuIchiranhyo";
                option.clear();
                break;
            case 18:
                procId = "QvKobetuMeisaihyo";
                option.clear();
                break;
            case 19:
                procId = "QvKobetuMotocho";
                option.clear();
                break;
            default:
                break;
            }
        }
    }
    procIdCopy = procId;
}

}  // namespace z5MenuListOldHistory
