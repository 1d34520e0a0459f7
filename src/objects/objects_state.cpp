#include "objects/objects_state.h"

#include "base/scope_counts.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/command_lists.h"
#include "objects/draw_order.h"
#include "objects/label_lookups.h"
#include "objects/object_layout.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
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

void ResetObjects() {
  ResetObjectSlots();
  // Draw-order sorting permutes the list; a new run spawns in pool order.
  for (int i = 0; i < kObjectSlotCount; i++) {
    object_slots[i] = &object_pool[i];
    object_slots[i]->order_index = static_cast<uint16_t>(i);
  }
  FreeResortList();
}

void UnloadObjects(int drop) {
  if (drop <= kScopeGame) {
    FreeCharacters(-1);
    character_count = 0;
    FreeCodeSet(player_functions);
    ResetObjectSlots();
    layout_file_path.clear();  // a path of the game left behind
  }
  for (CodeSet& set : object_code_sets) DropCodeScopes(set, drop);
  FreeObjectTypes(drop);
}

}  // namespace tolv
