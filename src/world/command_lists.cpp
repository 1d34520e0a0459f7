#include "world/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList level_file_command_list;  // world/level_commands.cpp

void RegisterWorldCommands() { RegisterCommandLists({&level_file_command_list}); }

}  // namespace tolv
