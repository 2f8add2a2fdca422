#pragma once
// Which loaded data-list rows the data-selection screen shows, and how a
// clicked grid column becomes the store's sort kind.

#include "dataselect/DataKensakuRec.h"
#include "dataselect/DataSentakuListCtl.h"

#include <cstdint>
#include <vector>

// Indexes of the loaded rows that pass the conditions, in loaded order. A
// row passes when every condition that is set holds:
//  - DATATYPE above 0: the row's data kind (and, with a CODETYPE other than
//    0, its code kind) equals it; -13: the row's data kind is 1 or 3;
//  - DATANAME: the row's name contains it, both widened to full-width
//    characters with full-width Latin letters upper-cased;
//  - TANTO: the row's person in charge equals it;
//  - DATAVER ("major.minor", a missing part 0) by VERMODE: equal major and
//    minor1 (0), equal major (1), or not older (2);
//  - DATACODE (after trimming): the row's code, cut or padded to the
//    condition's length, equals it without regard to case.
std::vector<std::int32_t> FilterDataList(const TDataSentakuRecArray& rows, const TDataKensakuRec& conditions);

// The store's sort kind for a grid column: 1 -> 7, 3 -> 2, 4 -> 3, 5 -> 4,
// 6 -> 5, 7 -> 6, anything else (0 or none) 1.
std::uint8_t SortKindOfColumn(std::int32_t column);
