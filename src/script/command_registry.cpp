// Every command list of the engine, one line each. Add a subsystem's list
// here (declaration and entry) when its commands land.
#include "script/commands.h"

namespace tolv {

extern const CommandList flow_command_list;   // script/flow_commands.cpp
extern const CommandList timed_command_list;  // script/timed_commands.cpp
extern const CommandList assign_command_list;  // script/assign_commands.cpp
extern const CommandList arith_command_list;   // script/arith_commands.cpp
extern const CommandList empty_command_list;   // script/arith_commands.cpp
extern const CommandList power_command_list;   // script/power_commands.cpp
extern const CommandList compare_command_list;     // script/compare_commands.cpp
extern const CommandList block_jump_command_list;  // script/compare_commands.cpp

const CommandList* const command_lists[] = {
    &flow_command_list,
    &timed_command_list,
    &assign_command_list,
    &arith_command_list,
    &empty_command_list,
    &power_command_list,
    &compare_command_list,
    &block_jump_command_list,
};
const size_t command_list_count = sizeof(command_lists) / sizeof(command_lists[0]);

}  // namespace tolv
