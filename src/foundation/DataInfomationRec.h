#pragma once
// The state and summary of one data folder, as its information file
// ("qhacc.ini", sections "DATASTS" and "DATAINFO") keeps them. The fields
// follow the file's keys in order.

#include <array>
#include <cstdint>
#include <string>

// DataStatus values of a data folder (key STATUS).
inline constexpr std::uint8_t DataStatusUnknown = 0;
inline constexpr std::uint8_t DataStatusFree = 1;
inline constexpr std::uint8_t DataStatusInUse = 2;
inline constexpr std::uint8_t DataStatusLocked = 3;
inline constexpr std::uint8_t DataStatusDamaged = 10;

// A default-constructed record is the cleared state: STATUS and
// SHARE_STATUS 1, every other number 0, every text empty.
struct TDataInfomationRec {
    std::uint8_t STATUS = DataStatusFree;
    std::int32_t OPCODE = 0;        // holder's operator code, 0 none
    std::string OPERATOR;           // holder's name
    std::uint8_t SHARE_STATUS = 1;  // 1 free, 2 taken out of the shared area
    std::int32_t SHARE_OPCODE = 0;
    std::string SHARE_OPERATOR;
    std::int32_t UPDATE_LOCK = 0;
    std::int32_t READ_ONLY = 0;
    std::string DATALISTNAME;
    std::string CODE;
    std::int32_t DATAKBN = 0;
    std::int32_t CODEKBN = 0;
    std::string SHOUGOU;
    std::string KANA;
    std::int32_t NENDO = 0;
    std::string KISHU;   // "yyyy/mm/dd"
    std::string KIMATU;  // "yyyy/mm/dd"
    std::int32_t TANTO = 0;
    std::int32_t SITEN = 0;
    std::int32_t SITENCNT = 0;
    std::int32_t BUMON = 0;
    std::int32_t BUMONCNT = 0;
    std::int32_t SIWAKE = 0;
    std::int32_t TOTALSIWAKE = 0;
    std::array<std::int32_t, 3> VERSION1{};  // major, minor1, minor2
    std::string VERSION2;                    // edition label of the data version
    std::uint8_t GASSANKBN = 0;              // merged-data kind
    std::int32_t USEMYNUMBER = 0;
    std::uint8_t CLOUD_SHARE = 0;
};

inline void ClearDataInfoRec(TDataInfomationRec& rec)
{
    rec = TDataInfomationRec{};
}
