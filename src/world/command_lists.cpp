#include "world/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList tile_file_command_list;   // world/tile_file_commands.cpp
extern const CommandList level_file_command_list;  // world/level_commands.cpp

void RegisterWorldCommands() { RegisterCommandLists({&tile_file_command_list, &level_file_command_list}); }

}  // namespace tolv
