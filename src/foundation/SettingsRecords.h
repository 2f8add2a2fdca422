#pragma once
// Small records of the system settings: a SYSTEMINI row and a font.

#include <cstdint>
#include <string>

// One row of SYSTEMINI.
struct TSystemIniRec {
    std::int32_t REC = 0;
    std::int32_t RESERVE1 = 0;
    std::int32_t RESERVE2 = 0;
    std::int32_t RESERVE3 = 0;
    std::int32_t RESERVE4 = 0;
    std::int32_t RESERVE5 = 0;
    std::string SSTR;
};

// A font as the settings keep it; screens build their own font object from
// it. Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out (the SYSDEF
// values 0-3 are the first two bits).
struct TFontInfo {
    std::string Name;
    std::int32_t Size = 0;
    std::int32_t Style = 0;
    std::int32_t CharSet = 0;
    std::int32_t Height = 0;
};
