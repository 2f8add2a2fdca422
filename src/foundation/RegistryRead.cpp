#include "foundation/RegistryRead.h"

#include "foundation/SystemInfo.h"
#include "foundation/WriteGuard.h"

#include <exception>

void RegReadValue(RootKey root, const std::string& key, const std::string& name, RegValue& value)
{
    value = std::int32_t{0};
    if (name == UacPolicyValue && GetOSMajorVersion() <= 5)
        return;
    try {
        Registry reg(root);
        if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(name))
            return;
        switch (reg.GetDataType(name)) {
        case RegDataType::rdString:
            value = reg.ReadString(name);
            break;
        case RegDataType::rdInteger:
            value = reg.ReadInteger(name);
            break;
        case RegDataType::rdUnknown:
            break;
        }
    } catch (const std::exception&) {
        value = std::int32_t{0};
    }
}
