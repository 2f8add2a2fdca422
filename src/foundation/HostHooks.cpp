#include "foundation/HostHooks.h"

TMenuCallbackHook MenuCallbackHook;
TProcessLauncherHook ProcessLauncherHook;
TDataCheckHook DataCheckHook;
TFormActivateHook FormActivateHook;
TDataOpenedHook DataOpenedHook;
TDataCaptionHook DataCaptionHook;
TDataPanelHook DataPanelHook;

void ClearHooks()
{
    MenuCallbackHook = nullptr;
    ProcessLauncherHook = nullptr;
    DataCheckHook = nullptr;
    FormActivateHook = nullptr;
    DataOpenedHook = nullptr;
    DataCaptionHook = nullptr;
    DataPanelHook = nullptr;
}
