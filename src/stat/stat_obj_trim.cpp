// Unloading screen layout definitions with their scope.
#include "objects/object_pool.h"
#include "script/operands.h"
#include "script/registers.h"
#include "stat/stat_obj.h"
#include "stat/stat_obj_def.h"

namespace tolv {

static void FreeGroups(TriggerGroup* groups, uint8_t count) {
  for (int g = 0; groups && g < count; g++) {
    for (int c = 0; c < groups[g].combination_count; c++) delete[] groups[g].combinations[c].keys;
    delete[] groups[g].combinations;
  }
  delete[] groups;
}

static void FreeStatObjDef(StatObjDef& d) {
  for (int n = 0; d.nodes && n < d.node_count; n++) FreeGroups(d.nodes[n].trigger_groups, d.nodes[n].trigger_group_count);
  delete[] d.nodes;
  for (int s = 0; d.trigger_sets && s < d.trigger_set_count; s++) FreeGroups(d.trigger_sets[s].groups, d.trigger_sets[s].group_count);
  delete[] d.trigger_sets;
  for (int s = 0; d.strings && s < d.string_count; s++) delete[] d.strings[s];
  delete[] d.strings;
  for (int l = 0; d.sprite_lists && l < d.sprite_list_count; l++) {
    SpriteSet& set = d.sprite_lists[l];
    for (int f = 0; set.frames && f < set.frame_count; f++) FreeSpriteFrame(&set.frames[f]);
    delete[] set.frames;
  }
  delete[] d.sprite_lists;
  delete[] d.elements;
  FreeCodeSet(d.functions);
  d = StatObjDef{};
}

// While a level runs, objects outlive a zone or act unload: layout
// objects whose definition goes are deleted with their instances (and
// the pause they hold ends), so no instance names a missing definition.
static void DeleteInstancesFrom(uint16_t first) {
  for (int i = 0; i < kObjectSlotCount; i++) {
    ObjectSlot* o = &object_pool[i];
    const StatObj* so = FindStatObj(o->stat_instance);
    if (!o->vars || !IsStatObjType(o->vars[0]) || !so || so->def_index < first) continue;
    if (o == pause_slot) {
      registers[kRegPause] = 0;
      pause_stat_obj = 65535;
      pause_slot = &void_slot;
    }
    o->former_type = static_cast<uint32_t>(o->vars[0]);
    o->vars[0] = 0;
    ReleaseSlotInstance(o);
  }
}

// Frees the definitions from `first` on; the scope counts are the caller's.
static void TrimFrom(uint16_t first, bool reset_objects) {
  if (reset_objects) ResetObjectSlots();
  else DeleteInstancesFrom(first);
  for (uint32_t i = first; i < stat_obj_def_counts.total && i < kMaxStatObjDefs; i++) FreeStatObjDef(stat_obj_defs[i]);
  stat_obj_def_counts.total = first;
}

void TrimStatObjDefs() {
  TrimFrom(0, true);
  stat_obj_def_counts = ScopeCounts{};
}

void TrimZoneStatObjDefs() {
  TrimFrom(stat_obj_def_counts.game, registers[kRegLevelStarted] == 0);
  stat_obj_def_counts.zone = stat_obj_def_counts.act = 0;
}

void TrimActStatObjDefs() {
  TrimFrom(static_cast<uint16_t>(stat_obj_def_counts.game + stat_obj_def_counts.zone), registers[kRegLevelStarted] == 0);
  stat_obj_def_counts.act = 0;
}

}  // namespace tolv
