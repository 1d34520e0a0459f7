// Spawning: a type and a few arguments become a running object.
#include "objects/spawn.h"

#include <cstdio>
#include <cstring>

#include "base/message_log.h"
#include "files/tokenizer.h"
#include "objects/builtin_routines.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/stat_obj_hooks.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

static int32_t RegisterValue(int32_t n, uint32_t base) {
  if (n < 0) return 0;
  return Cell(registers, register_count, static_cast<uint32_t>(n) + base);
}

int32_t EvalInitialiser(const char* init, int32_t x, int32_t y, uint32_t argc, const int32_t* args) {
  if (!init) return 0;
  char buf[256];
  std::snprintf(buf, sizeof buf, "%s", init);
  char c = buf[0];
  if (c == '*' || c == 'R' || c == 'r') {
    buf[0] = ' ';
    int32_t n = ParseNumber(buf);
    if (c == '*') return n >= 0 && static_cast<uint32_t>(n) < argc ? args[n] : 0;
    return RegisterValue(n, c == 'R' ? kReservedRegisters : 0);
  }
  if (c == 'X' || c == 'Y') {
    int32_t base = c == 'X' ? x : y;
    char sign = buf[1];
    if (sign != '+' && sign != '-') return base;
    buf[0] = buf[1] = ' ';
    uint32_t d = static_cast<uint32_t>(ParseNumber(buf));
    return static_cast<int32_t>(sign == '+' ? static_cast<uint32_t>(base) + d : static_cast<uint32_t>(base) - d);
  }
  return ParseNumber(buf);
}

static void Say(const char* fmt, int a = 0, int b = 0, int c = 0) {
  char line[256];
  std::snprintf(line, sizeof line, fmt, a, b, c);
  ShowMessage(line);
}

static void ReportMissingStatObj(int32_t def) {
  const ScopeCounts& n = stat_obj_def_counts;
  Say("Stat Obj not loaded for ID %d", def);
  if (!n.total) {
    Say("No Stat Objs currently loaded");
    return;
  }
  Say("Stat Objs loaded for 0 - %d", n.total - 1);
  Say("%d Game Stat Objs: 0 - %d", n.game, n.game - 1);
  if (n.zone) Say("%d Zone Stat Objs: %d - %d", n.zone, n.game, n.game + n.zone - 1);
  else Say("No Zone Stat Objs currently loaded");
  if (n.act) Say("%d Act Stat Objs: %d - %d", n.act, n.game + n.zone, n.game + n.zone + n.act - 1);
  else Say("No Act Stat Objs currently loaded");
}

// Empties everything a previous object may have left in the slot.
static void ClearForSpawn(ObjectSlot* o) {
  ReleaseSlotInstance(o);
  ClearSlotContexts(o);
  o->mover = builtin_movers[0];
  o->parent = nullptr;
  FreeChildren(o);
}

static void SetupDefinedType(ObjectSlot* o, const ObjectType* t, uint32_t argc, const int32_t* args) {
  o->mover = t->builtin_movement ? t->builtin_movement : builtin_movers[0];
  SetVarCount(o, t->variable_count > 65528u ? 65535u : t->variable_count + 7u);
  int32_t x = o->vars[1], y = o->vars[2];
  for (uint32_t k = 0; k < t->variable_count && 7u + k < o->var_count; k++)
    o->vars[7 + k] = EvalInitialiser(t->initialisers ? t->initialisers[k] : nullptr, x, y, argc, args);
  SavedMachineState keep;
  timed_context = &o->animation_ctx;
  if (t->animation_label_count && t->animation_labels) StartTimedFunctionNoArgs(t->animation_labels[0]);
  current_context = &o->movement_ctx;
  StartFunction(t->movement_label);
  current_context = &o->drawing_ctx;
  StartFunction(t->drawing_label);
  if (t->range_action == 2 && snapshot_count < kObjectSlotCount) {
    CopyObjectContexts(o, &object_snapshots[snapshot_count]);
    o->snapshot_index = snapshot_count++;
  }
}

static bool SetupStatObj(ObjectSlot* o, int32_t type, uint32_t argc, const int32_t* args) {
  int32_t def = argc ? args[0] : 0;
  if (def < 0 || def >= stat_obj_def_counts.total) {
    ReportMissingStatObj(def);
    return false;
  }
  SetVarCount(o, type == kTypeHud ? 9 : 8);
  if (type == kTypeHud) o->vars[8] = argc > 1 ? args[1] : 0;
  ObjectSlot* saved = running_slot;
  running_slot = o;
  int32_t id = build_stat_obj(static_cast<uint32_t>(def));
  running_slot = saved;
  if (!id) return false;
  o->stat_instance = id;
  o->vars[7] = id;
  return true;
}

static bool SetupPlayerObject(ObjectSlot* o, int32_t type, uint32_t argc, const int32_t* args) {
  SetVarCount(o, 8);
  int32_t p = argc ? args[0] : 0;
  o->vars[7] = p;
  if (p < 0 || p >= kMaxPlayers) return true;
  PlayerRecord& r = player_records[p];
  if (type == kTypePlayerObject) {
    r.moved = 1;
    r.player_object = o;
  } else {
    r.second_object = o;
  }
  return true;
}

static bool SetupPlaneSwitch(ObjectSlot* o, uint32_t argc, const int32_t* args) {
  SetVarCount(o, 10);
  int32_t plane = argc ? args[0] : 0, vis = argc > 1 ? args[1] : 0;
  o->vars[7] = plane;
  o->vars[8] = o->vars[9] = vis;
  if (plane < 0 || plane >= plane_count || !planes) {
    ShowMessage("Spawn Plane Object:");
    Say("Tile Plane %d doesn't exist", plane);
    return false;
  }
  planes[plane].active_view0 = planes[plane].active_view1 = static_cast<uint8_t>(vis);
  return true;
}

bool SpawnObject(int32_t type, int32_t x, int32_t y, int32_t draw_key, int32_t word5, int32_t flags,
                 uint32_t argc, const int32_t* args) {
  int32_t n = registers[kRegActiveObjects];
  if (n < 0 || n >= kObjectSlotCount) {
    ShowMessage("Spawn refused: object pool full");
    return false;
  }
  const ObjectType* t = type < kFirstSpecialType ? FindObjectType(type) : nullptr;
  if ((type < kFirstSpecialType && !t) || type > kTypePlaneSwitch) {
    Say("Spawn refused: no object type %d", type);
    return false;
  }
  if (!args) argc = 0;
  ObjectSlot* o = object_slots[n];
  o->order_index = static_cast<uint16_t>(n);
  ClearForSpawn(o);
  if (draw_key == 65535 && t) draw_key = t->default_draw_key;
  int32_t fixed[7] = {type, x, y, draw_key, 0, word5, flags};
  std::memcpy(o->vars, fixed, sizeof fixed);
  o->snapshot_index = 65535;
  o->range_state = 4;
  o->range_latch = 1;
  o->former_type = static_cast<uint32_t>(type);
  bool ok = true;
  if (t) SetupDefinedType(o, t, argc, args);
  else if (IsStatObjType(type)) ok = SetupStatObj(o, type, argc, args);
  else if (type == kTypePlayerObject || type == kTypePlayerSecond) ok = SetupPlayerObject(o, type, argc, args);
  else if (type == kTypePlaneSwitch) ok = SetupPlaneSwitch(o, argc, args);
  if (!ok) {
    o->vars[0] = 0;
    return false;
  }
  registers[kRegActiveObjects] = n + 1;
  spawn_count++;
  last_spawned_slot = o;
  return true;
}

}  // namespace tolv
