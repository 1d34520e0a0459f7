// Every command list of the engine, one line each. Add a subsystem's list
// here (declaration and entry) when its commands land.
#include "script/commands.h"

namespace tolv {

extern const CommandList flow_command_list;   // script/flow_commands.cpp
extern const CommandList timed_command_list;  // script/timed_commands.cpp
extern const CommandList object_command_list;  // objects/object_commands.cpp
extern const CommandList player_command_list;  // objects/player_commands.cpp

const CommandList* const command_lists[] = {
    &flow_command_list,
    &timed_command_list,
    &object_command_list,
    &player_command_list,
};
const size_t command_list_count = sizeof(command_lists) / sizeof(command_lists[0]);

}  // namespace tolv
