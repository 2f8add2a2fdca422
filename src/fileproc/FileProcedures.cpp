// The system database's file procedures, run by the server on its own file
// system: FILEOPERATION ("FEXIST", "FCOPY", "FDEL"), DIRECTORYTEST
// ("DEXIST", "MKDIR", "RMDIR") and LONGTOSHORTFILENAME. Each answers one
// row; WBOOL 1 means success (or "exists").
//
// The clients name data folders of the server, so every path must lie in
// the data root, the folder of the system database the procedure runs in
// (see PathConfinement.h). A path outside it, an unknown operation or a
// failing file operation answers WBOOL 0; nothing is raised, as the
// clients read a refusal and a failure alike. The system database file
// itself is never copied over or deleted. Short names do not exist on this
// file system: LONGTOSHORTFILENAME answers a confined path itself and an
// empty text for any other.

#include "DataRoot.h"

#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Paths travel as UTF-8: the procedures declare their texts in UTF8, so the
// engine converts from the connection's character set.
constexpr unsigned PathBytes = 4 * 1024;
constexpr unsigned ModeBytes = 4 * 16;
constexpr unsigned UTF8 = 4;

template <typename VarChar>
std::string Text(const VarChar& value, bool isNull)
{
    return isNull ? std::string() : std::string(value.str, value.length);
}

template <typename VarChar>
void SetText(VarChar& target, const std::string& text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), sizeof target.str);
    std::memcpy(target.str, text.data(), length);
    target.length = static_cast<ISC_USHORT>(length);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

using fileproc::DataRoot;
using fileproc::RootOf;

bool FileOperation(const DataRoot& data, const std::string& mode, const std::string& path1, const std::string& path2)
{
    std::error_code ec;
    if (mode == "FEXIST") {
        const auto file = data.Confine(path1);
        return file && fs::is_regular_file(*file, ec);
    }
    if (mode == "FDEL") {
        const auto file = data.ConfineForChange(path1);
        return file && fs::is_regular_file(*file, ec) && fs::remove(*file, ec);
    }
    if (mode == "FCOPY") {
        const auto source = data.Confine(path1);
        const auto target = data.ConfineForChange(path2);
        if (!source || !target || !fs::is_regular_file(*source, ec) || fs::equivalent(*source, *target, ec))
            return false;
        return fs::copy_file(*source, *target, fs::copy_options::overwrite_existing, ec) && !ec;
    }
    return false;
}

bool DirectoryTest(const DataRoot& data, const std::string& mode, const std::string& path)
{
    std::error_code ec;
    const auto folder = mode == "DEXIST" ? data.Confine(path) : data.ConfineForChange(path);
    if (!folder)
        return false;
    if (mode == "DEXIST")
        return fs::is_directory(*folder, ec);
    if (mode == "MKDIR") {
        fs::create_directories(*folder, ec);
        return !ec && fs::is_directory(*folder, ec);
    }
    if (mode == "RMDIR") {
        // The folder with its contents; links inside are removed, never
        // followed. A folder that holds the system database is the root
        // or above it, which confinement already refused.
        if (!fs::is_directory(fs::symlink_status(*folder, ec)))
            return false;
        fs::remove_all(*folder, ec);
        return !ec;
    }
    return false;
}

}  // namespace

// Every procedure answers exactly one row, filled when it opens.
#define ONE_ROW_FETCH                 \
    FB_UDR_FETCH_PROCEDURE            \
    {                                 \
        (void)status;                 \
        const bool first = !fetched_; \
        fetched_ = true;              \
        return first;                 \
    }                                 \
    bool fetched_ = false;

FB_UDR_BEGIN_PROCEDURE(fileoperation)
FB_UDR_MESSAGE(InMessage,
               (FB_INTL_VARCHAR(ModeBytes, UTF8), mode)(FB_INTL_VARCHAR(PathBytes, UTF8),
                                                        filepath1)(FB_INTL_VARCHAR(PathBytes, UTF8), filepath2));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, wbool));

FB_UDR_EXECUTE_PROCEDURE
{
    const DataRoot data = RootOf(status, context);
    const bool done = FileOperation(data, Upper(Text(in->mode, in->modeNull)), Text(in->filepath1, in->filepath1Null),
                                    Text(in->filepath2, in->filepath2Null));
    out->wboolNull = FB_FALSE;
    out->wbool = done ? 1 : 0;
}

ONE_ROW_FETCH
FB_UDR_END_PROCEDURE

FB_UDR_BEGIN_PROCEDURE(directorytest)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(ModeBytes, UTF8), mode)(FB_INTL_VARCHAR(PathBytes, UTF8), filepath1));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, wbool));

FB_UDR_EXECUTE_PROCEDURE
{
    const DataRoot data = RootOf(status, context);
    const bool done = DirectoryTest(data, Upper(Text(in->mode, in->modeNull)), Text(in->filepath1, in->filepath1Null));
    out->wboolNull = FB_FALSE;
    out->wbool = done ? 1 : 0;
}

ONE_ROW_FETCH
FB_UDR_END_PROCEDURE

FB_UDR_BEGIN_PROCEDURE(longtoshortfilename)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(PathBytes, UTF8), longname));
FB_UDR_MESSAGE(OutMessage, (FB_INTL_VARCHAR(PathBytes, UTF8), shortname));

FB_UDR_EXECUTE_PROCEDURE
{
    const DataRoot data = RootOf(status, context);
    const std::string name = Text(in->longname, in->longnameNull);
    std::error_code ec;
    const auto path = data.Confine(name);
    out->shortnameNull = FB_FALSE;
    SetText(out->shortname, path && fs::exists(*path, ec) ? name : std::string());
}

ONE_ROW_FETCH
FB_UDR_END_PROCEDURE

FB_UDR_IMPLEMENT_ENTRY_POINT
