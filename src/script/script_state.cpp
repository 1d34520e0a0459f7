#include "script/script_state.h"

#include "base/scope_counts.h"
#include "script/global_contexts.h"
#include "script/object_globals.h"
#include "script/operands.h"
#include "script/script_tables.h"
#include "script/string_slots.h"

namespace tolv {

void ResetMachineState() {
  current_context = running_context = nullptr;
  timed_context = nullptr;
  current_lane = 0;
  yield_flag = 0;
  running_slot = object_operand_a = object_operand_b = object_operand_d = &void_slot;
  processing_slot = last_spawned_slot = collide_object = &void_slot;
  slot_cursor = 0;
  player_operand_a = player_operand_b = player_operand_d = current_player = &void_player;
  current_character_vars = nullptr;
  current_character_var_count = 0;
}

void UnloadScriptScopes(int drop) {
  FreeDataTables(drop);
  if (drop <= kScopeGame) {
    FreeStringSlots();
    game_string_count = zone_string_count = 0;
  } else if (drop == kScopeZone) {
    ResizeStringSlots(game_string_count);
    zone_string_count = 0;
  }
  DropCodeScopes(script_functions, drop);
  if (drop <= kScopeGame) BindScriptFunctions();
}

}  // namespace tolv
