#include "install/InstallHooks.h"

InstallHooks& InstallGetHooks()
{
    static InstallHooks hooks;
    return hooks;
}
