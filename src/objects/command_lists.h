// The command lists of the objects subsystem.
#pragma once

namespace tolv {

// Registers the object, player, layout and other-context commands.
void RegisterObjectCommands();

}  // namespace tolv
