#include "foundation/AccInf.h"

TACCINF AccInf;
