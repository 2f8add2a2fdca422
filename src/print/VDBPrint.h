#pragma once
// TVDBPrint: the printer's device mode as the engine uses it (paper,
// orientation, copies and the options a print job hands over), and the
// sizes of the papers the engine knows.
//
// The printer itself sits behind PrinterBackend, so tests give it a printer
// of their own and the no-printer case. No operation raises: a failure is
// logged as "Vdb.<operation>:<error>" and the operation returns its default.
// Without a default printer every operation does nothing and returns its
// default.

#include "print/FolDef.h"

#include <memory>
#include <string>
#include <vector>

namespace fol {

// Field-mask bits of the device mode (the platform's values).
enum DevModeField : int {
    DM_ORIENTATION = 0x1,
    DM_PAPERSIZE = 0x2,
    DM_PAPERLENGTH = 0x4,
    DM_PAPERWIDTH = 0x8,
    DM_SCALE = 0x10,
    DM_COPIES = 0x100,
    DM_DEFAULTSOURCE = 0x200,
    DM_PRINTQUALITY = 0x400,
    DM_COLOR = 0x800,
    DM_DUPLEX = 0x1000,
    DM_YRESOLUTION = 0x2000,
    DM_TTOPTION = 0x4000,
    DM_COLLATE = 0x8000,
};

// The device-mode fields the engine touches.
struct DeviceMode {
    std::string DeviceName;
    std::string FormName;
    int Fields = 0;
    int Orientation = 1;  // 1 portrait, 2 landscape
    int PaperSize = 9;
    int PaperLength = 0;  // 0.1 mm
    int PaperWidth = 0;
    int Scale = 100;
    int Copies = 1;
    int DefaultSource = 7;
    int PrintQuality = -4;
    int Colour = 1;
    int Duplex = 1;
    int YResolution = 0;
    int TTOption = 0;
    int Collate = 0;
};

// One paper the printer offers: its number, name and size in 0.1 mm.
struct PrinterPaper {
    int Number = 0;
    std::string Name;
    int Length = 0;
    int Width = 0;
};

// The printer the engine talks to. Operations raise std::exception on
// failure; TVDBPrint catches and logs.
class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;
    // False when the system has no default printer.
    virtual bool HasDefaultPrinter() const = 0;
    // Selects the default printer for the operations below.
    virtual void SelectDefaultPrinter() = 0;
    virtual int CurrentPrinterIndex() const = 0;
    virtual DeviceMode ReadDeviceMode() const = 0;
    virtual void WriteDeviceMode(const DeviceMode& mode) = 0;
    virtual std::vector<PrinterPaper> Papers() const = 0;
    // The printable area of the current paper, in mm.
    virtual double PrintableWidthMM() const = 0;
    virtual double PrintableHeightMM() const = 0;
};

// The size of a paper in mm; Unknown when the number is not in the table
// and the size was made from the printable area.
struct PaperSize {
    double Width = 0;
    double Height = 0;
    bool Unknown = false;
};

class TVDBPrint final {
public:
    // Create: selects the default printer and sets the TrueType option to 1.
    explicit TVDBPrint(std::unique_ptr<PrinterBackend> backend);
    ~TVDBPrint();
    TVDBPrint(const TVDBPrint&) = delete;
    TVDBPrint& operator=(const TVDBPrint&) = delete;

    bool NoPrinter() const { return noPrinter_; }

    int GetPaperNumber(const std::string& paperName, int paperLength, int defaultNumber, int paperWidth);
    int GetPaper();
    void SetPaper(int number);
    void SetTTOption(int value);
    void SetUserPaperSize(int length, int width);
    void ResetUserPaperSize();
    void GetDevMode(TFOLDEF& record);
    void SetDevMode(const TFOLDEF& record);
    PaperSize PaperSizeMM(int number);

    PrinterBackend& Backend() { return *backend_; }

private:
    template <typename Change>
    void ChangeDeviceMode(const char* operation, Change change);

    std::unique_ptr<PrinterBackend> backend_;
    bool noPrinter_ = false;
};

// The papers the engine knows by number, in mm; false for any other number.
bool KnownPaperSize(int number, double& width, double& height);

}  // namespace fol
