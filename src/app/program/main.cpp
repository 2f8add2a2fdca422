// The conversion wizard's program.

#include "app/program/WizardMain.h"

int main(int argc, char** argv)
{
    return RunWizardProgram(argc, argv);
}
