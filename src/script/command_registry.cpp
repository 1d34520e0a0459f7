// Every command list of the engine, one line each. Add a subsystem's list
// here (declaration and entry) when its commands land.
#include "script/commands.h"

namespace tolv {

extern const CommandList count_command_list;          // script/count_commands.cpp
extern const CommandList flow_command_list;           // script/flow_commands.cpp
extern const CommandList handle_command_list;         // script/handle_commands.cpp
extern const CommandList other_context_command_list;  // script/other_context_commands.cpp
extern const CommandList slot_command_list;           // script/slot_commands.cpp
extern const CommandList timed_command_list;          // script/timed_commands.cpp
extern const CommandList timed_control_command_list;  // script/timed_control_commands.cpp

const CommandList* const command_lists[] = {
    &count_command_list,
    &flow_command_list,
    &handle_command_list,
    &other_context_command_list,
    &slot_command_list,
    &timed_command_list,
    &timed_control_command_list,
};
const size_t command_list_count = sizeof(command_lists) / sizeof(command_lists[0]);

}  // namespace tolv
