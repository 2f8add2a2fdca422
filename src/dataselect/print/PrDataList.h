#pragma once
// The data list on paper: the rows a selection screen shows, in its order,
// written through the print engine's writer into a temporary print file of
// the TEMP folder and then printed or previewed.
//
// Portrait pages take 55 lines, landscape pages 35 and the data code
// besides; each child row takes a line of its own.

#include "controls/print/DefaultPrintRec.h"
#include "foundation/DataListController.h"
#include "print/Folianto.h"

#include <cstdint>
#include <vector>

class TPrDataList final {
public:
    TPrDataList();

    std::int32_t ShareList = 0;  // 0 the data list; else the shared-data list
    TDefaultPrintRec PrintSettings;
    std::vector<TDataSentakuRec> Rows;
    std::vector<std::int32_t> RowOrder;
    std::int32_t Orientation = 0;  // 0 portrait, 1 landscape

    // Writes the print file and prints it (print true) or previews it.
    // The writer's result: printed, or the preview's code not 0.
    bool PrintList(bool print);

    fol::TFolianto& Writer() { return writer_; }

private:
    struct Layout {
        int LinesPerPage;
        int RightEdge;
        int BottomRule;
    };
    void WriteList(const Layout& layout);
    void PageStep(const Layout& layout);
    void RowCells(const TDataListRec& row, const std::string* number, int y);
    void Text(int x, int y, const std::string& text, int size, const char* alignment);
    void Rule(int x1, int y, int x2, int width, int penStyle);

    fol::TFolianto writer_;
    int line_ = 0;
    int page_ = 1;
};
