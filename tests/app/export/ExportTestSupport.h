#pragma once
// A private world for the export's tests: the application-data folder and
// the registry store in a temporary folder, and the application information
// the export reads, all put back afterwards.

#include "foundation/AppInfo.h"
#include "platform/Registry.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace exporttest {

class ExportWorld final {
public:
    ExportWorld()
        : root_(std::filesystem::temp_directory_path() /
                ("export-world-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))),
          appData_("LEDRIX_COMMON_APPDATA", (root_ / "appdata").string()),
          registry_("LEDRIX_REGISTRY_DIR", (root_ / "registry").string()),
          documents_("LEDRIX_DOCUMENTS", (root_ / "documents").string()),
          saved_(AppInfo)
    {
        std::filesystem::create_directories(root_ / "appdata");
        AppInfo = TAppInfoRec{};
        AppInfo.Application.RegKey = "SOFTWARE\\NORVEL";
        AppInfo.Zaimu.RegKey = "LedrixZaimu";
        AppInfo.Zaimu.HomeDir = "norvel/ledrixzaimu";
    }
    ~ExportWorld()
    {
        AppInfo = saved_;
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ExportWorld(const ExportWorld&) = delete;
    ExportWorld& operator=(const ExportWorld&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path IniFile() const { return root_ / "appdata" / "norvel/ledrixzaimu/ini/Varimon.ini"; }

    // A product key below the maker's key with its two values.
    static void AddProduct(const std::string& subkey, const std::string& product, const std::string& version)
    {
        Registry reg(RootKey::HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\NORVEL\\" + subkey, true));
        reg.WriteString("Product", product);
        reg.WriteString("Version", version);
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path root_;
    ScopedEnv appData_;
    ScopedEnv registry_;
    ScopedEnv documents_;
    TAppInfoRec saved_;
};

}  // namespace exporttest
