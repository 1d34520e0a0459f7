// The script machine's own command lists, one line each. Lists of the
// subsystems above it are added at start-up through RegisterCommandLists
// (game/command_lists.cpp registers them all).
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
extern const CommandList slot_command_list;            // script/slot_commands.cpp
extern const CommandList timed_control_command_list;   // script/timed_control_commands.cpp
extern const CommandList table_command_list;           // script/table_commands.cpp
extern const CommandList pending_command_list;         // script/pending_command_list.cpp

const CommandList* command_lists[kMaxCommandLists] = {
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
    &slot_command_list,
    &timed_control_command_list,
    &table_command_list,
    &pending_command_list,
};
// The lists end at the first null entry.
static size_t OwnListCount() {
  size_t n = 0;
  while (n < kMaxCommandLists && command_lists[n]) n++;
  return n;
}
size_t command_list_count = OwnListCount();

void RegisterCommandLists(std::initializer_list<const CommandList*> lists) {
  for (const CommandList* list : lists) {
    bool known = false;
    for (size_t l = 0; l < command_list_count; l++) known |= command_lists[l] == list;
    if (!known && command_list_count < kMaxCommandLists) command_lists[command_list_count++] = list;
  }
  BuildCommandTables();
}

}  // namespace tolv
