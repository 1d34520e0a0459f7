// The command tables, filled from the registered command lists.
#include "script/commands.h"

namespace tolv {

CommandHandler script_commands[kCommandCount + 1];
CommandHandler timed_commands[kCommandCount + 1];
CommandHandler stat_obj_commands[kCommandCount + 1];
uint8_t operand_lengths[kCommandCount];
const char* command_names[kCommandCount];

void UnavailableCommand() {}

int BuildCommandTables() {
  bool seen[kCommandCount] = {};
  int duplicates = 0;
  for (int i = 0; i <= kCommandCount; i++)
    script_commands[i] = timed_commands[i] = stat_obj_commands[i] = UnavailableCommand;
  // Runs before main too, so it goes by the null that ends the lists, not
  // by command_list_count.
  for (size_t l = 0; l < kMaxCommandLists && command_lists[l]; l++) {
    const CommandList& list = *command_lists[l];
    for (size_t k = 0; k < list.count; k++) {
      const CommandDef& d = list.defs[k];
      if (d.id >= kCommandCount) continue;
      if (seen[d.id]) duplicates++;
      seen[d.id] = true;
      if (d.script) script_commands[d.id] = d.script;
      if (d.timed) timed_commands[d.id] = d.timed;
      if (d.stat) stat_obj_commands[d.id] = d.stat;
      operand_lengths[d.id] = d.length;
      command_names[d.id] = d.name;
    }
  }
  return duplicates;
}

// Built before main so the tables are ready for any caller.
static const int kTablesBuilt = BuildCommandTables();

}  // namespace tolv
