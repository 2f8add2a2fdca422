#include "calc/engine/SettlementRegrouping.h"

#include <span>

std::string RegroupedForIndividual(std::string group, std::int32_t mstrec, std::int32_t codeType)
{
    struct Rule {
        const char* from;
        bool above;  // MSTREC above the limit, else below
        std::int32_t limit;
        const char* to;
    };
    static constexpr Rule codeType1[] = {{"4100", true, 97, "7100"},
                                         {"6100", true, 97, "7200"},
                                         {"7100", false, 98, "4100"},
                                         {"7200", false, 98, "6100"}};
    static constexpr Rule codeType2[] = {{"6100", true, 63, "7200"}, {"7200", false, 64, "6100"}};
    static constexpr Rule codeType4[] = {{"4100", true, 78, "7100"},
                                         {"6100", true, 78, "7200"},
                                         {"7100", false, 79, "4100"},
                                         {"7200", false, 79, "6100"}};
    std::span<const Rule> rules;
    if (codeType == 1)
        rules = codeType1;
    else if (codeType == 2)
        rules = codeType2;
    else if (codeType == 4)
        rules = codeType4;
    for (const Rule& rule : rules)
        if (group == rule.from && (rule.above ? mstrec > rule.limit : mstrec < rule.limit))
            group = rule.to;
    return group;
}
