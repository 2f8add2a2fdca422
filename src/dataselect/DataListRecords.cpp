#include "dataselect/DataListRecords.h"

#include "foundation/FolderOps.h"
#include "foundation/SystemDef.h"

#include <array>
#include <cstdio>

std::string StoredPathToFolder(std::string_view stored)
{
    std::string path(stored);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::string LastPathComponent(std::string_view path)
{
    const std::string trimmed = ExcludePathDelim(path);
    const std::size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string MakeLocalDataFolder(const TDataListRec& rec)
{
    std::string local = ExcludePathDelim(rec.PASNAME);
    if (rec.NETDRIVE == 1 && !rec.PASNAME.empty()) {
        char number[16];
        std::snprintf(number, sizeof number, "%.4d", rec.REC);
        local = ExcludePathDelim(SystemDef.SYSDIR) + "/" + number;
        if (rec.GASSAN > 2)
            local += "/" + LastPathComponent(rec.PASNAME);
    }
    return local;
}

std::string GetDataStatusName(std::int32_t code)
{
    static const std::array<const char*, 11> names{"－",     "－",         "使用中",   "データロック中",
                                                   "保存中", "復元中",     "コピー中", "貼り付け中",
                                                   "削除中", "新規作成中", "破損"};
    if (code < 0 || code >= static_cast<std::int32_t>(names.size()))
        return "状態不明";
    return names[static_cast<std::size_t>(code)];
}
