#include "stat/command_lists.h"

#include "script/commands.h"

namespace tolv {

extern const CommandList stat_obj_command_list;            // stat/stat_obj_commands.cpp
extern const CommandList stat_obj_placement_command_list;  // stat/stat_obj_placement.cpp
extern const CommandList stat_obj_menu_command_list;       // stat/stat_obj_menu.cpp

void RegisterStatObjCommands() {
  RegisterCommandLists({&stat_obj_command_list, &stat_obj_placement_command_list, &stat_obj_menu_command_list});
}

}  // namespace tolv
