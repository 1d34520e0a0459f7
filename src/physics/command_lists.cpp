#include "physics/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList player_pass_command_list;      // physics/player_pass.cpp
extern const CommandList projectile_pass_command_list;  // physics/projectile_pass.cpp
extern const CommandList box_command_list;              // physics/box_commands.cpp
extern const CommandList box_test_command_list;         // physics/box_tests.cpp
extern const CommandList partner_command_list;          // physics/partner_commands.cpp
extern const CommandList movement_command_list;         // physics/movement_commands.cpp
extern const CommandList object_push_command_list;      // physics/object_push_commands.cpp
extern const CommandList map_sweep_command_list;        // physics/map_sweep_commands.cpp
extern const CommandList wrap_region_command_list;      // physics/wrap_region_commands.cpp

void RegisterPhysicsCommands() {
  RegisterCommandLists({&player_pass_command_list, &projectile_pass_command_list, &box_command_list,
                        &box_test_command_list, &partner_command_list, &movement_command_list,
                        &object_push_command_list, &map_sweep_command_list, &wrap_region_command_list});
}

}  // namespace tolv
