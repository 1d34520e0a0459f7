// The command lists of the movement and collision subsystem.
#pragma once

namespace tolv {

// Registers the player movement commands and the commands that move a
// player against an object.
void RegisterPhysicsCommands();

}  // namespace tolv
