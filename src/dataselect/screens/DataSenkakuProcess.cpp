#include "dataselect/screens/DataSenkakuProcess.h"

#include "dataselect/screens/TDataSentakuBox.h"
#include "foundation/ProcessRegistry.h"

void RegisterDataSenkakuProcess()
{
    // The registry adds a class only once, so repeated calls are harmless.
    RegisterProcessClass(&CreateProcessForm<TDataSentakuBox>, DataSenkakuProcessName);
}
