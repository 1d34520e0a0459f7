#include "objects/objects_state.h"

#include "objects/builtin_routines.h"
#include "objects/command_lists.h"
#include "objects/label_lookups.h"
#include "objects/object_pool.h"
#include "objects/players.h"

namespace tolv {

void StartObjects() {
  RegisterObjectCommands();
  InstallBuiltinRoutines();
  InstallLabelLookups();
  AllocObjectPool();
  SetupScriptContexts();
  ResetPlayers();
}

}  // namespace tolv
