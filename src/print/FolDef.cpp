#include "print/FolDef.h"

#include "platform/Cp932.h"

namespace fol {
namespace {

std::string Path(const std::string& path, const char* what)
{
    if (cp932::ByteWidth(path) > TFOLDEF::PathBytes)
        throw EFolDefError(std::string(what) + " is longer than " + std::to_string(TFOLDEF::PathBytes) +
                           " bytes: " + path);
    return path;
}

}  // namespace

void TFOLDEF::SetFormFile(const std::string& path)
{
    formFile_ = Path(path, "The form file's path");
}

void TFOLDEF::SetDataFile(const std::string& path)
{
    dataFile_ = Path(path, "The print file's path");
}

void TFOLDEF::SetTitle(const std::string& text)
{
    title_ = cp932::CutBytes(text, NameBytes);
}

void TFOLDEF::SetDeviceName(const std::string& text)
{
    deviceName_ = cp932::CutBytes(text, NameBytes);
}

void TFOLDEF::SetFormName(const std::string& text)
{
    formName_ = cp932::CutBytes(text, NameBytes);
}

void TFOLDEF::SetDocTitle(const std::string& text)
{
    docTitle_ = cp932::CutBytes(text, NameBytes);
}

void TFOLDEF::SetPaperName(const std::string& text)
{
    paperName_ = cp932::CutBytes(text, NameBytes);
}

TFOLDEF& FolDef()
{
    static TFOLDEF record;
    return record;
}

}  // namespace fol
