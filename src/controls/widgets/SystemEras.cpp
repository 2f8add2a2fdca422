#include "controls/widgets/SystemEras.h"

#include <cstdio>

TGengoArray SystemEraList()
{
    TGengoArray eras;
    for (const TGengo2Rec& e : BuiltInGengoList()) {
        TDateTime start = 0;
        int y = 0, m = 0, d = 0;
        if (std::sscanf(e.STARTDATE.c_str(), "%d/%d/%d", &y, &m, &d) == 3)
            TryEncodeDate(y, m, d, start);
        eras.push_back({e.GNAME, e.GSIGN, start, e.YEAROFFSET});
    }
    return eras;
}
