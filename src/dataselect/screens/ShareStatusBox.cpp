#include "dataselect/screens/ShareStatusBox.h"

#include "controls/dialogs/TMessageBox.h"
#include "dataselect/ShareDataInfo.h"

#include <string>
#include <vector>

void InstallShareStatusBox()
{
    SetShareStatusBoxHook([](const std::string& text, const std::vector<std::string>& lines) {
        TMessageInfoRec box;
        InitMessageInfo(box);
        box.Kind = 1;
        box.Position = 0;
        box.Caption = "選択データの状態";
        box.LabelText = text;
        box.LabelColor = 255;
        box.Lines = lines;
        ShowMessageBox(box);
    });
}
