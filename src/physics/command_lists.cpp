#include "physics/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList player_pass_command_list;      // physics/player_pass.cpp
extern const CommandList projectile_pass_command_list;  // physics/projectile_pass.cpp
extern const CommandList box_command_list;              // physics/box_commands.cpp
extern const CommandList box_test_command_list;         // physics/box_tests.cpp
extern const CommandList partner_command_list;          // physics/partner_commands.cpp

void RegisterPhysicsCommands() {
  RegisterCommandLists({&player_pass_command_list, &projectile_pass_command_list, &box_command_list,
                        &box_test_command_list, &partner_command_list});
}

}  // namespace tolv
