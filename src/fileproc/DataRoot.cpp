#include "DataRoot.h"

namespace fs = std::filesystem;

namespace fileproc {

namespace {

// The file of the database the routine runs in, from the attachment's
// information (isc_info_db_id: a count, then the file name and the site,
// each a length byte and the text).
fs::path DatabaseFile(Firebird::ThrowStatusWrapper* status, Firebird::IExternalContext* context)
{
    Firebird::IAttachment* attachment = context->getAttachment(status);
    const unsigned char items[] = {isc_info_db_id, isc_info_end};
    unsigned char buffer[1024] = {};
    attachment->getInfo(status, sizeof items, items, sizeof buffer, buffer);
    attachment->release();
    if (buffer[0] != isc_info_db_id)
        return {};
    const unsigned length = buffer[1] | (buffer[2] << 8);
    if (length < 2 || length + 3 > sizeof buffer)
        return {};
    const unsigned nameLength = buffer[4];
    if (nameLength + 5 > length + 3)
        return {};
    return fs::path(std::string(reinterpret_cast<const char*>(buffer + 5), nameLength));
}

}  // namespace

std::optional<fs::path> DataRoot::ConfineForChange(const std::string& path) const
{
    std::optional<fs::path> confined = Confine(path);
    std::error_code ec;
    if (confined && fs::equivalent(*confined, database, ec))
        return std::nullopt;
    return confined;
}

DataRoot RootOf(Firebird::ThrowStatusWrapper* status, Firebird::IExternalContext* context)
{
    const fs::path file = DatabaseFile(status, context);
    return {file.parent_path(), file};
}

}  // namespace fileproc
