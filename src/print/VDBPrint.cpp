#include "print/VDBPrint.h"

#include "print/ErrorLog.h"

#include <cstdlib>
#include <exception>

namespace fol {
namespace {

constexpr const char* NoDefaultPrinter = "デフォルト プリンタが存在しません";

void Log(const char* operation, const std::exception& error)
{
    WriteErrorLog(std::string("Vdb.") + operation, error.what());
}

}  // namespace

bool KnownPaperSize(int number, double& width, double& height)
{
    struct Entry {
        int Number, Width, Height;
    };
    static constexpr Entry table[] = {
        {8, 297, 420},  {9, 210, 297},  {11, 148, 210}, {12, 250, 354}, {13, 182, 257}, {16, 254, 356},
        {17, 280, 432}, {44, 229, 280}, {45, 254, 280}, {46, 381, 280}, {90, 305, 280},
    };
    for (const auto& e : table)
        if (e.Number == number) {
            width = e.Width;
            height = e.Height;
            return true;
        }
    return false;
}

TVDBPrint::TVDBPrint(std::unique_ptr<PrinterBackend> backend) : backend_(std::move(backend))
{
    try {
        if (!backend_ || !backend_->HasDefaultPrinter()) {
            noPrinter_ = true;
            WriteErrorLog("Vdb.Create", NoDefaultPrinter);
            return;
        }
        backend_->SelectDefaultPrinter();
        DeviceMode mode = backend_->ReadDeviceMode();
        mode.TTOption = 1;
        backend_->WriteDeviceMode(mode);
    } catch (const std::exception& e) {
        Log("Create", e);
    }
}

TVDBPrint::~TVDBPrint() = default;

template <typename Change>
void TVDBPrint::ChangeDeviceMode(const char* operation, Change change)
{
    if (noPrinter_)
        return;
    try {
        DeviceMode mode = backend_->ReadDeviceMode();
        change(mode);
        backend_->WriteDeviceMode(mode);
    } catch (const std::exception& e) {
        Log(operation, e);
    }
}

int TVDBPrint::GetPaperNumber(const std::string& paperName, int paperLength, int defaultNumber, int paperWidth)
{
    if (noPrinter_)
        return 0;
    try {
        const auto papers = backend_->Papers();
        for (const auto& paper : papers)
            if (paper.Name == paperName)
                return paper.Number;
        if (paperLength > 0 && paperWidth > 0)
            for (const auto& paper : papers)
                if (std::abs(paper.Length - paperLength) < 10 && std::abs(paper.Width - paperWidth) < 10)
                    return paper.Number;
        return defaultNumber;
    } catch (const std::exception& e) {
        Log("GetPaperNumber", e);
        return 0;
    }
}

int TVDBPrint::GetPaper()
{
    if (noPrinter_)
        return 9;
    try {
        return backend_->ReadDeviceMode().PaperSize;
    } catch (const std::exception& e) {
        Log("GetPaper", e);
        return 9;
    }
}

void TVDBPrint::SetPaper(int number)
{
    ChangeDeviceMode("SetPaper", [&](DeviceMode& m) { m.PaperSize = number; });
}

void TVDBPrint::SetTTOption(int value)
{
    ChangeDeviceMode("SetTTOption", [&](DeviceMode& m) { m.TTOption = value; });
}

void TVDBPrint::SetUserPaperSize(int length, int width)
{
    ChangeDeviceMode("SetUserPaperSize", [&](DeviceMode& m) {
        m.Fields |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
        m.PaperLength = length;
        m.PaperWidth = width;
    });
}

void TVDBPrint::ResetUserPaperSize()
{
    ChangeDeviceMode("ResetUserPaperSize", [&](DeviceMode& m) {
        m.Fields &= ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
        m.PaperLength = 0;
        m.PaperWidth = 0;
    });
}

void TVDBPrint::GetDevMode(TFOLDEF& r)
{
    if (noPrinter_)
        return;
    try {
        const DeviceMode m = backend_->ReadDeviceMode();
        r.SetDeviceName(m.DeviceName.substr(0, 31));
        r.SetFormName(m.FormName.substr(0, 31));
        r.PrinterIndex = backend_->CurrentPrinterIndex();
        r.PaperLength = m.PaperLength;
        r.PaperWidth = m.PaperWidth;
        r.Orientation = m.Orientation - 1;
        r.Scale = m.Scale;
        r.Copies = m.Copies;
        r.PrintQuality = m.PrintQuality;
        r.Duplex = m.Duplex;
        r.Collate = m.Collate;
        r.PaperBin = m.DefaultSource;
        r.YResolution = m.YResolution;
        r.DevModeFields = m.Fields;
    } catch (const std::exception& e) {
        Log("GetDevMode", e);
    }
}

void TVDBPrint::SetDevMode(const TFOLDEF& r)
{
    ChangeDeviceMode("SetDevMode", [&](DeviceMode& m) {
        m.Fields |= DM_COLLATE;
        m.Scale = r.Scale;
        m.Copies = r.Copies;
        if (r.ColourMode != 0)
            m.Colour = r.ColourMode;
        if (r.Duplex != 0)
            m.Duplex = r.Duplex;
        if (r.PrintQuality != 0)
            m.PrintQuality = r.PrintQuality;
        m.Collate = r.Collate;
    });
}

PaperSize TVDBPrint::PaperSizeMM(int number)
{
    PaperSize size;
    if (KnownPaperSize(number, size.Width, size.Height))
        return size;
    size.Unknown = true;
    if (noPrinter_)
        return size;
    try {
        size.Width = backend_->PrintableWidthMM();
        size.Height = backend_->PrintableHeightMM() + 20;
    } catch (const std::exception& e) {
        Log("PaperSizeMM", e);
    }
    return size;
}

}  // namespace fol
