// The command lists of the levels, tiles and sprites subsystem.
#pragma once

namespace tolv {

// Registers the tile file and level file commands.
void RegisterWorldCommands();

}  // namespace tolv
