#include "physics/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList movement_command_list;     // physics/movement_commands.cpp
extern const CommandList object_push_command_list;  // physics/object_push_commands.cpp
extern const CommandList map_sweep_command_list;    // physics/map_sweep_commands.cpp
extern const CommandList wrap_region_command_list;  // physics/wrap_region_commands.cpp

void RegisterPhysicsCommands() {
  RegisterCommandLists({&movement_command_list, &object_push_command_list, &map_sweep_command_list,
                        &wrap_region_command_list});
}

}  // namespace tolv
