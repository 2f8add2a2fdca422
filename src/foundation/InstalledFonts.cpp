#include "foundation/InstalledFonts.h"

#include <utility>

namespace {

std::function<bool(const std::string&)>& Test()
{
    static std::function<bool(const std::string&)> test;
    return test;
}

}  // namespace

void SetInstalledFontTest(std::function<bool(const std::string& face)> test)
{
    Test() = std::move(test);
}

bool IsFontInstalled(const std::string& face)
{
    return Test() && Test()(face);
}
