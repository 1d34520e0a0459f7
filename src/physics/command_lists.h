// The command lists of the movement and collision subsystem.
#pragma once

namespace tolv {

// Registers the collision pass, box, hot-spot and partner commands.
void RegisterPhysicsCommands();

}  // namespace tolv
