#include "stat/stat_state.h"

#include "base/scope_counts.h"
#include "stat/command_lists.h"
#include "stat/stat_obj.h"
#include "stat/stat_obj_def.h"

namespace tolv {

void StartStatObjs() {
  RegisterStatObjCommands();
  InstallStatObjRoutines();
}

void UnloadStatObjs(int drop) {
  if (drop <= kScopeGame) TrimStatObjDefs();
  else if (drop == kScopeZone) TrimZoneStatObjDefs();
  else TrimActStatObjDefs();
}

}  // namespace tolv
