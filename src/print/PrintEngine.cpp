#include "print/PrintEngine.h"

#include "print/FolDef.h"
#include "print/Folianto.h"
#include "print/FontNameLists.h"
#include "print/PageInterpreter.h"

namespace fol {
namespace {

struct Engine {
    std::unique_ptr<TVDBPrint> Vdb;
    bool Ready = false;
};

Engine& State()
{
    static Engine engine;
    return engine;
}

}  // namespace

bool StartPrintEngine(std::unique_ptr<PrinterBackend> backend)
{
    Engine& e = State();
    e.Ready = false;
    e.Vdb.reset();
    try {
        FolDef() = TFOLDEF{};
        FillFontNameLists();
        InstallFontSubstitutes();
        TFolianto::SetInstalledFaceTest([](const std::string& face) { return FaceListed(FontNames().All, face); });
        e.Vdb = std::make_unique<TVDBPrint>(std::move(backend));
        e.Vdb->SetTTOption(2);
        e.Ready = true;
    } catch (...) {
        e.Ready = false;
    }
    return e.Ready;
}

void EndPrintEngine()
{
    Engine& e = State();
    e.Vdb.reset();
    e.Ready = false;
    TFolianto::SetInstalledFaceTest({});
    ClearFontNameLists();
}

bool PrintEngineReady()
{
    return State().Ready;
}

TVDBPrint* Vdb()
{
    return State().Vdb.get();
}

}  // namespace fol
