#include "foundation/SystemDef.h"

TSystemDef SystemDef;
