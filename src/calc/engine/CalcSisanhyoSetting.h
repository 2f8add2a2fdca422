#pragma once
// The settings of a facility x department accumulation: which facilities
// and departments a trial balance, its earlier years and its budgets are
// summed over, and how. The loaders of both charts fill one for scope 6.

#include <cstdint>
#include <string>

struct TCalcSisanhyoSettingRec {
    // One facility code, a facility-group code (SISETUGROUPLIST.GCODE) or
    // empty.
    std::string SCODE;
    // 1: SCODE is one facility; 0: a facility group.
    std::int32_t SingleSCODE = 0;
    // One department code or a department-group code (GROUPLIST.GCODE).
    std::string BCODE;
    // 1: BCODE is one department; 0: a department group.
    std::int32_t SingleBCODE = 0;
    // The loader's scope: 6 here; 1 with a business kind selects the
    // facilities of that kind in medical-corporation data.
    std::int32_t Scope = 0;
    // 0 tax-inclusive figures, 1 tax-exclusive figures.
    std::int32_t TAX = 0;
    // 1: the common department "00" is allocated by the pairs' ratios.
    std::int32_t HAIBUN = 0;
    // 0 all accounts, 1 fixed-form A4, 2 fixed-form A3, 3 and 4 the
    // settlement statements.
    std::int32_t Layout = 0;
    // The loaders' total-name selector; the accumulations do not read it.
    std::int32_t KESKUBUN = 0;
    // The loaders' settlement flag; the earlier years of the settlement
    // layouts take the previous year's tax mode when it is 0.
    std::int32_t ZENTAX = 0;
    // Medical corporations: business kind 1, 2, 4 or 8; 0 otherwise.
    std::int32_t MB_JIGYOU = 0;
};
