#include "objects/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList object_command_list;         // objects/object_commands.cpp
extern const CommandList player_command_list;         // objects/player_commands.cpp
extern const CommandList layout_command_list;         // objects/layout_commands.cpp
extern const CommandList player_label_command_list;   // objects/player_label_commands.cpp
extern const CommandList other_context_command_list;  // objects/other_context_commands.cpp
extern const CommandList place_player_command_list;   // objects/place_player.cpp
extern const CommandList freeze_world_command_list;   // objects/freeze_world.cpp
extern const CommandList tile_read_command_list;      // objects/tile_read_commands.cpp
extern const CommandList plane_object_command_list;   // objects/plane_object_commands.cpp
extern const CommandList draw_frame_command_list;     // objects/draw_frame_command.cpp

void RegisterObjectCommands() {
  RegisterCommandLists({&object_command_list, &player_command_list, &layout_command_list,
                        &player_label_command_list, &other_context_command_list, &place_player_command_list,
                        &freeze_world_command_list, &tile_read_command_list, &plane_object_command_list,
                        &draw_frame_command_list});
}

}  // namespace tolv
