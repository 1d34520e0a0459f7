// The command lists of the movement and collision subsystem.
#pragma once

namespace tolv {

// Registers the collision pass, box, hot-spot and partner commands, the
// player movement commands and the commands that move a player against an
// object.
void RegisterPhysicsCommands();

}  // namespace tolv
