#include "app/wizard/WizardProgram.h"

TWizardProgram WizardProgram;
