// Freeing what a world built in memory ran: code sets, contexts, players
// and the types. Shared by the world tests and the run fuzz target.
#pragma once
#include "objects/character.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/players.h"
#include "script/global_contexts.h"

namespace tolv::test {

inline void FreeWorldScripts() {
  FreeResortList();
  for (CodeSet& c : object_code_sets) FreeCodeSet(c);
  FreeCodeSet(script_functions);
  FreeCodeSet(player_functions);
  SetupScriptContexts();
  BindScriptFunctions();
  current_context = &global_context;
  ClearContext();
  ResetPlayers();
  characters[0] = Character{};
  character_count = 0;
  object_types = nullptr;
  object_type_counts = ScopeCounts{};
}

}  // namespace tolv::test
