// Every subsystem's command lists, registered at engine start-up.
#pragma once

namespace tolv {

// The level and script file commands.
void RegisterGameCommands();
// The lists of every subsystem above the script machine: one call per
// subsystem with commands.
void RegisterEngineCommands();

}  // namespace tolv
