// The command lists of the stat objects.
#pragma once

namespace tolv {

void RegisterStatObjCommands();

}  // namespace tolv
