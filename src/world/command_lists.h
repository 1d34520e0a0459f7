// The command lists of the world subsystem.
#pragma once

namespace tolv {

// Registers the level file commands.
void RegisterWorldCommands();

}  // namespace tolv
