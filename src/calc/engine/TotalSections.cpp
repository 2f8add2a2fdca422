#include "calc/engine/TotalSections.h"

#include "calc/BalanceRows.h"

bool DebitSection(int total)
{
    if (total >= 1 && total <= 11)
        return true;
    if (total >= 12 && total <= 28)
        return false;
    return total != 39 && total != 42;
}

int SectionSign(int total, std::int32_t taishaku)
{
    return DebitBalanceSide(taishaku) == DebitSection(total) ? 1 : -1;
}
