#include "PathConfinement.h"

namespace fs = std::filesystem;

namespace fileproc {

namespace {

bool StrictlyBelow(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty())
            continue;  // the empty last part of a root given with a trailing "/"
        if (p == path.end() || *p != *r)
            return false;
    }
    for (; p != path.end(); ++p)
        if (!p->empty())
            return true;
    return false;
}

// Whether path lies in a data place other than the root's own: one of the
// root's numbered neighbours "<root>01" ... "<root>99" (the place folder
// itself included, so that it can be made).
bool InDataPlace(const fs::path& path, const fs::path& root)
{
    const std::string name = root.filename().string();
    if (name.empty())
        return false;
    const fs::path relative = path.lexically_relative(root.parent_path());
    if (relative.empty() || *relative.begin() == "..")
        return false;
    const std::string first = relative.begin()->string();
    if (first.size() != name.size() + 2 || first.compare(0, name.size(), name) != 0)
        return false;
    const char tens = first[name.size()];
    const char ones = first[name.size() + 1];
    return tens >= '0' && tens <= '9' && ones >= '0' && ones <= '9' && !(tens == '0' && ones == '0');
}

}  // namespace

std::optional<fs::path> ConfinedPath(const std::string& text, const fs::path& root)
{
    if (text.empty() || text.find('\0') != std::string::npos)
        return std::nullopt;
    const fs::path path(text);
    if (!path.is_absolute())
        return std::nullopt;
    for (const fs::path& part : path)
        if (part == "." || part == "..")
            return std::nullopt;
    std::error_code ec;
    const fs::path realRoot = fs::canonical(root, ec);
    if (ec)
        return std::nullopt;
    // Follows every link of the part that exists; what does not exist yet
    // (a folder to create, a copy's target) is taken as written.
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec || !(StrictlyBelow(real, realRoot) || InDataPlace(real, realRoot)))
        return std::nullopt;
    // A link left in the result is one that leads nowhere yet; writing
    // through it would create its target wherever it points.
    fs::path walked;
    for (const fs::path& part : real) {
        walked /= part;
        if (fs::is_symlink(fs::symlink_status(walked, ec)))
            return std::nullopt;
    }
    return real;
}

}  // namespace fileproc
