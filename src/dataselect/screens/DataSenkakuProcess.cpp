#include "dataselect/screens/DataSenkakuProcess.h"

#include "dataselect/screens/TDataSentakuBox.h"
#include "foundation/ProcessRegistry.h"
#include "print/screens/ScreenPrintHost.h"

void RegisterDataSenkakuProcess()
{
    // The registry adds a class only once, so repeated calls are harmless.
    RegisterProcessClass(&CreateProcessForm<TDataSentakuBox>, DataSenkakuProcessName);
    // The screen prints its list (F8): the engine starts with the program,
    // not on the first print.
    StartScreenPrintEngine();
}
