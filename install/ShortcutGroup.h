#pragma once
// The Start Menu group made without the Program Manager: a folder of shell
// shortcuts in the Programs folder, as the shell itself makes its groups.
#include <vector>

#include "install/InstallRules.h"

// Makes the "Plotra" folder with one shortcut per item, named by the item's
// title and pointing at the installed file; true when all were saved.
bool MakeShortcutGroup(const std::vector<ProgramItem>& items);
