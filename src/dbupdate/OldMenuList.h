#pragma once
// The menu layout of the versions before system 8.0.2, kept for one job:
// turning the old menu rights of JOBCONTROL (a processing level, a menu
// page and a slot on it) into the program that sat in that slot, which is
// what JOBCONTROL2 stores from 8.0.2 on.
//
// Two layouts existed: the general one (pages 1 to 10) and the one of the
// levels above 1000 (pages 1 to 12: other statements on pages 2, 4 and 5,
// no analysis programs on page 10, and pages 11 and 12 for supplementary
// statements and cost allocation). Slot i of a layout is page i div 20 + 1,
// position i mod 20. Only the filled slots are kept here: the captions and
// menu numbers of the old menu are of no use to the conversion.

#include <cstdint>
#include <span>
#include <string>

namespace z5MenuListOldHistory {

// One filled slot of an old menu.
struct TMenuListRec {
    const char* ProcId;     // the process name of the program
    std::int32_t Page;      // from 1
    std::int32_t Position;  // 0 to 19
    const char* Params;     // name=value lines passed to the program ("SyoriType=n" or empty)
};

// The pages of a layout, page 1 first, each its filled slots.
std::span<const std::span<const TMenuListRec>> GeneralMenuList();
std::span<const std::span<const TMenuListRec>> SecondMenuList();

// The program of the old slot (levelNo, pageNo, menuNo) and its start
// option (the "SyoriType=n" line of its parameters, or empty); procIdCopy
// gets the program id again. An empty program id: the slot held no program.
// The levels above 1000 use the second layout; the others the general one,
// where editions 1 and 2 put their own programs into slots 15, 17, 18 and
// 19 of page 1.
void GetOldMenuProc(std::int32_t levelNo, std::int32_t pageNo, std::int32_t menuNo, std::string& procId,
                    std::string& option, std::string& procIdCopy);

}  // namespace z5MenuListOldHistory
