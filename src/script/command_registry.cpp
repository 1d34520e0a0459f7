// Every command list of the engine, one line each. Add a subsystem's list
// here (declaration and entry) when its commands land.
#include "script/commands.h"

namespace tolv {

extern const CommandList flow_command_list;            // script/flow_commands.cpp
extern const CommandList timed_command_list;           // script/timed_commands.cpp
extern const CommandList assign_command_list;          // script/assign_commands.cpp
extern const CommandList arith_command_list;           // script/arith_commands.cpp
extern const CommandList empty_command_list;           // script/arith_commands.cpp
extern const CommandList power_command_list;           // script/power_commands.cpp
extern const CommandList compare_command_list;         // script/compare_commands.cpp
extern const CommandList block_jump_command_list;      // script/compare_commands.cpp
extern const CommandList random_command_list;          // script/random.cpp
extern const CommandList fill_command_list;            // script/fill_commands.cpp
extern const CommandList string_command_list;          // script/string_commands.cpp
extern const CommandList angle_command_list;           // script/angle_commands.cpp
extern const CommandList distance_command_list;        // script/distance_commands.cpp
extern const CommandList array_command_list;           // script/array_commands.cpp
extern const CommandList count_command_list;           // script/count_commands.cpp
extern const CommandList handle_command_list;          // script/handle_commands.cpp
extern const CommandList other_context_command_list;   // script/other_context_commands.cpp
extern const CommandList slot_command_list;            // script/slot_commands.cpp
extern const CommandList timed_control_command_list;   // script/timed_control_commands.cpp
extern const CommandList object_command_list;          // objects/object_commands.cpp
extern const CommandList player_command_list;          // objects/player_commands.cpp
extern const CommandList layout_command_list;          // objects/layout_commands.cpp
extern const CommandList table_command_list;           // script/table_commands.cpp
extern const CommandList level_command_list;           // game/level_commands.cpp
extern const CommandList player_label_command_list;    // objects/player_label_commands.cpp
extern const CommandList stat_obj_command_list;        // objects/stat_obj_commands.cpp
extern const CommandList stat_obj_placement_command_list;  // objects/stat_obj_placement.cpp
extern const CommandList stat_obj_menu_command_list;   // objects/stat_obj_menu.cpp
extern const CommandList pending_command_list;         // script/pending_command_list.cpp
extern const CommandList script_file_command_list;     // game/script_file_commands.cpp
extern const CommandList draw_frame_command_list;      // objects/draw_frame_command.cpp

const CommandList* const command_lists[] = {
    &flow_command_list,
    &timed_command_list,
    &assign_command_list,
    &arith_command_list,
    &empty_command_list,
    &power_command_list,
    &compare_command_list,
    &block_jump_command_list,
    &random_command_list,
    &fill_command_list,
    &string_command_list,
    &angle_command_list,
    &distance_command_list,
    &array_command_list,
    &count_command_list,
    &handle_command_list,
    &other_context_command_list,
    &slot_command_list,
    &timed_control_command_list,
    &object_command_list,
    &player_command_list,
    &layout_command_list,
    &table_command_list,
    &level_command_list,
    &player_label_command_list,
    &stat_obj_command_list,
    &stat_obj_placement_command_list,
    &stat_obj_menu_command_list,
    &pending_command_list,
    &script_file_command_list,
    &draw_frame_command_list,
};
const size_t command_list_count = sizeof(command_lists) / sizeof(command_lists[0]);

}  // namespace tolv
