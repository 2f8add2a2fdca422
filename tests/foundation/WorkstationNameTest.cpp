#include "foundation/WorkstationName.h"

#include "foundation/SystemDef.h"
#include "foundation/ProgramGlobals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(GetPCName, ChoosesByConnectionMode)
{
    EXPECT_EQ(ChoosePCName(0, "user", "Kaikei-PC01"), "Kaikei-PC01");
    EXPECT_EQ(ChoosePCName(1, "user", "Kaikei-PC01"), "Kaikei-PC01");
    EXPECT_EQ(ChoosePCName(0, "user", ""), "PCNAME-ERROR");
    EXPECT_EQ(ChoosePCName(2, "yamada", "Kaikei-PC01"), "yamada");
    EXPECT_EQ(ChoosePCName(2, "", "Kaikei-PC01"), "ANONYMOUS");
}

TEST(GetPCName, ReadsTheGlobals)
{
    const char* saved = std::getenv("LEDRIX_COMPUTERNAME");
    const std::string savedValue = saved ? saved : "";
    ::setenv("LEDRIX_COMPUTERNAME", "Kaikei-PC01", 1);
    const std::uint8_t savedMode = ConnectionMode;
    const std::string savedUser = SystemDef.WinUserName;

    ConnectionMode = 0;
    SystemDef.WinUserName = "yamada";
    EXPECT_EQ(GetPCName(), "Kaikei-PC01");
    ConnectionMode = 2;
    EXPECT_EQ(GetPCName(), "yamada");
    SystemDef.WinUserName.clear();
    EXPECT_EQ(GetPCName(), "ANONYMOUS");

    ConnectionMode = savedMode;
    SystemDef.WinUserName = savedUser;
    if (saved)
        ::setenv("LEDRIX_COMPUTERNAME", savedValue.c_str(), 1);
    else
        ::unsetenv("LEDRIX_COMPUTERNAME");
}

}  // namespace
