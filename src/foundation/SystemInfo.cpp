#include "foundation/SystemInfo.h"

#include "platform/SpecialFolders.h"

#include <sys/utsname.h>

int GetOSMajorVersion()
{
    utsname info{};
    if (uname(&info) != 0)
        return 0;
    int major = 0;
    for (const char* p = info.release; *p >= '0' && *p <= '9'; ++p) {
        major = major * 10 + (*p - '0');
        if (major > 100000)
            return 0;
    }
    return major;
}

std::string GetLogonUserName()
{
    return folders::UserName();
}

bool ForceForegroundWindow(platform::WindowHandle handle)
{
    return platform::SetForegroundWindow(handle);
}
