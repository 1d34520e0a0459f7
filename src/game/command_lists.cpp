#include "game/command_lists.h"

#include "audio/audio_commands.h"
#include "objects/command_lists.h"
#include "physics/command_lists.h"
#include "script/commands.h"
#include "stat/command_lists.h"
#include "world/command_lists.h"

namespace tolv {

extern const CommandList level_command_list;        // game/level_commands.cpp
extern const CommandList script_file_command_list;  // game/script_file_commands.cpp

void RegisterGameCommands() { RegisterCommandLists({&level_command_list, &script_file_command_list}); }

void RegisterEngineCommands() {
  RegisterAudioCommands();
  RegisterWorldCommands();
  RegisterObjectCommands();
  RegisterPhysicsCommands();
  RegisterStatObjCommands();
  RegisterGameCommands();
}

}  // namespace tolv
