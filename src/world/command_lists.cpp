#include "world/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList tile_file_command_list;     // world/tile_file_commands.cpp
extern const CommandList level_file_command_list;    // world/level_commands.cpp
extern const CommandList camera_command_list;        // world/camera_commands.cpp
extern const CommandList plane_scroll_command_list;  // world/plane_scroll_commands.cpp
extern const CommandList plane_block_command_list;   // world/plane_block_commands.cpp
extern const CommandList object_view_command_list;   // world/object_view_commands.cpp

void RegisterWorldCommands() {
  RegisterCommandLists({&tile_file_command_list, &level_file_command_list, &camera_command_list,
                        &plane_scroll_command_list, &plane_block_command_list, &object_view_command_list});
}

}  // namespace tolv
