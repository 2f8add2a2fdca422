#pragma once
// Process screens: forms that other programs and menus start by a process
// name ("QvDataSenkaku", "WebMenuL" ...). Each screen's source file registers
// its form class under its name while the program initialises, before main
// creates any window; the launcher later looks the name up, creates the form,
// hands it its parameter lines and runs it through IProcessForm.
//
// A form class is a factory function: its address is the class's identity
// (one class, one address), and calling it creates a new form. Register with
// a namespace-scope initialiser in the screen's own file:
//
//     const bool registered =
//         (RegisterProcessClass(&CreateProcessForm<TfmWebMenuL>, "WebMenuL"), true);
//
// The registry is built on first use, so registrations from any other
// file's static initialisers are safe whatever order they run in. A screen
// living in a static library must be linked into the program by something
// that refers to its file, or its registration never runs.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Parameter lines, each "name=value".
using TProcessParams = std::vector<std::string>;

// What a process screen offers its launcher. The form's life is its own:
// the launcher owns the new form until it runs it, and a form that frees
// itself when it closes is released to that before Execute.
class IProcessForm {
public:
    static constexpr std::string_view Guid = "{42B77FEA-D7D9-48D1-A3A2-095AB52ACC8A}";

    virtual ~IProcessForm() = default;
    // Runs the screen; the result's meaning is the screen's.
    virtual std::int32_t Execute(bool modal) = 0;
    // Hands the screen its parameters; called before Execute.
    virtual void SetParams(const TProcessParams& params) = 0;
};

// A form class. A factory answering nullptr has made no process form; the
// launcher treats it as a name with nothing registered.
using TProcessFormClass = std::unique_ptr<IProcessForm> (*)();

// The form class of TForm (a default-constructible IProcessForm).
template <class TForm>
std::unique_ptr<IProcessForm> CreateProcessForm()
{
    return std::make_unique<TForm>();
}

// Adds the class under the name unless the class is registered already (then
// nothing is added, not even the second name). Names are not tested for
// duplicates: a lookup finds the first class registered under a name. A null
// class is not registered. Safe before main.
void RegisterProcessClass(TProcessFormClass formClass, std::string name);

// Index of the first registration under the name (ASCII letters compare
// without regard to case), -1 when none.
int IndexOfProcessName(std::string_view name);
// The class registered under the name, nullptr when none.
TProcessFormClass GetProcessClass(std::string_view name);

// ---------------------------------------------------------------------------
// Parameter conventions shared by the process screens.

// The value of the first line whose name (the text before its first "=")
// matches, ASCII letters without regard to case; empty when none.
std::string ProcessParamValue(const TProcessParams& params, std::string_view name);

// "SyoriType", the screen's kind of work: its value when it is a number of 0
// or more, otherwise (absent, negative, not a number) `current`.
std::int32_t ProcessSyoriType(const TProcessParams& params, std::int32_t current);

// "FormStyle": absent, 0 or not a number: MDI child; 1: MDI parent; 2: a
// normal window; any other number: a window that stays on top.
enum class TProcessFormStyle { MdiChild, MdiParent, Normal, StayOnTop };
TProcessFormStyle ProcessFormStyle(const TProcessParams& params);

// The line the launcher adds: "FormStyle=2" for a modal start, else
// "FormStyle=0".
std::string ProcessFormStyleLine(bool modal);
