// RunStatObj: the per-frame run of the running object's layout: key
// triggers, the layout's lanes, tweening with arrival counters and the
// element scripts.
#include "base/key_state.h"
#include "objects/object_pool.h"
#include "objects/player_select.h"
#include "script/commands.h"
#include "script/lane_loop.h"
#include "script/operands.h"
#include "script/registers.h"
#include "stat/stat_obj.h"

namespace tolv {

// Selects the player the layout serves; returns where its key-map block starts.
static uint32_t SelectLayoutPlayer(const ObjectSlot* self) {
  int p = ObjVar(self, 0) == kTypeHud ? ObjVar(self, 8) : 0;
  SelectPlayer(p);
  if (ObjVar(self, 0) != kTypeHud) registers[kRegPlayer] = 0;
  uint64_t block = 512u + uint64_t{pad_stride} * static_cast<uint64_t>(p < 0 ? 0 : p);
  return block < kKeyStateSize ? static_cast<uint32_t>(block) : kKeyStateSize;  // past the end: never active
}

static bool KeyActive(uint16_t code, uint32_t own_block) {
  return code & 0x8000 ? KeyByte(own_block + (code - 0x8000u)) != 0 : KeyByte(code) != 0;
}

// An empty combination never fires.
static bool Complete(const KeyCombination& kc, uint32_t own_block) {
  if (!kc.key_count) return false;
  for (int k = 0; k < kc.key_count; k++)
    if (!KeyActive(kc.keys[k], own_block)) return false;
  return true;
}

// Starts the function of the first group with a complete combination.
static void FireFirst(const TriggerGroup* groups, uint8_t count, uint32_t own_block) {
  for (int g = 0; groups && g < count; g++)
    for (int c = 0; c < groups[g].combination_count; c++)
      if (Complete(groups[g].combinations[c], own_block)) {
        StartFunction(groups[g].function);
        return;
      }
}

static void CheckTriggers(StatObj* so, const StatObjDef& d, uint32_t own_block) {
  uint32_t sel = so->selected_node;
  if (sel >= 2 && sel - 2 < d.node_count) {
    const StatObjNodeDef& nd = d.nodes[sel - 2];
    FireFirst(nd.trigger_groups, nd.trigger_group_count, own_block);
  }
  const StatObjNode* n = StatNode(so, sel);
  if (n && n->trigger_set < d.trigger_set_count) {
    const StatObjTriggerSet& set = d.trigger_sets[n->trigger_set];
    FireFirst(set.groups, set.group_count, own_block);
  }
}

static bool StillOwned(const ObjectSlot* self, int32_t id) {
  return ObjVar(self, 0) != 0 && self->stat_instance == id;
}

// One lane's turn. Returns false when a command deleted the layout's
// object or took its instance away: the run ends at once.
static bool RunLayoutLane(ScriptContext* ctx, ObjectSlot* self, int32_t id, uint16_t f) {
  uint64_t budget = lane_budget;
  for (;;) {
    uint16_t lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return true;
    const ScriptFunction* fn = ContextFunction(ctx, f);
    uint16_t pc = ctx->lane_pcs[lane];
    if (!fn || pc >= fn->count) {
      ctx->lane_funcs[lane] = kFreeLane;
      ctx->lane_pcs[lane] = 0;
      return true;
    }
    if (budget-- == 0) {  // the budget is what the turn may still run
      ReportRunawayLane(f);
      return true;
    }
    current_instruction = InstructionAt(*fn, pc);
    stat_obj_commands[fn->ids[pc]]();
    if (!StillOwned(self, id)) return false;
    if (yield_flag) return true;
    if (current_lane == lane && lane < ctx->lane_count && ctx->lane_funcs[lane] == f) ctx->lane_pcs[lane]++;
  }
}

static bool RunLayoutLanes(StatObj* so, ObjectSlot* self, int32_t id) {
  ScriptContext* ctx = &so->ctx;
  current_context = running_context = ctx;
  uint16_t nfuncs = ctx->function_count;
  for (current_lane = 0; current_lane < ctx->lane_count; current_lane++) {
    current_context = running_context = ctx;
    if (ctx->lane_funcs[current_lane] >= nfuncs) continue;
    yield_flag = 0;
    if (!RunLayoutLane(ctx, self, id, ctx->lane_funcs[current_lane])) return false;
  }
  return true;
}

// One step of v toward target; true when it stops on the target now.
static bool StepToward(int32_t& v, int32_t target, int32_t speed) {
  if (v == target) return false;
  int64_t next = v < target ? int64_t{v} + speed : int64_t{v} - speed;
  if ((v < target && next >= target) || (v > target && next <= target)) {
    v = target;
    return true;
  }
  v = static_cast<int32_t>(next < INT32_MIN ? INT32_MIN : next > INT32_MAX ? INT32_MAX : next);
  return false;
}

static bool StepEdge(int16_t& v, int16_t target, int32_t speed) {
  int32_t w = v;
  bool arrived = StepToward(w, target, static_cast<int16_t>(speed));
  v = static_cast<int16_t>(w < INT16_MIN ? INT16_MIN : w > INT16_MAX ? INT16_MAX : w);
  return arrived;
}

static void CountArrival(StatObj* so, uint8_t counter) {
  if (counter < so->counter_count) so->counters[counter]++;
}

// Position x then y; an arrival counts when one axis stops on its target
// while the other already is on its own.
template <typename T>
static void StepPosition(StatObj* so, T& t) {
  bool x_arrived = StepToward(t.x, t.x_target, t.x_speed);
  if (x_arrived && t.y == t.y_target) return CountArrival(so, t.counter);
  bool y_arrived = StepToward(t.y, t.y_target, t.y_speed);
  if (y_arrived && t.x == t.x_target) CountArrival(so, t.counter);
}

static void StepEdges(StatObj* so, StatObjNode& n) {
  bool arrived = StepEdge(n.left, n.left_target, n.edge_speed_h);
  arrived |= StepEdge(n.right, n.right_target, n.edge_speed_h);
  arrived |= StepEdge(n.top, n.top_target, n.edge_speed_v);
  arrived |= StepEdge(n.bottom, n.bottom_target, n.edge_speed_v);
  if (arrived && n.left == n.left_target && n.right == n.right_target && n.top == n.top_target &&
      n.bottom == n.bottom_target)
    CountArrival(so, n.counter);
}

static bool StepElements(StatObj* so, int32_t id) {
  for (int i = 0; i < so->element_count; i++) {
    StatObjElement& e = so->elements[i];
    StepPosition(so, e);
    if (e.kind > 9) continue;
    timed_context = &e.anim;
    RunTimedLanes();
    if (FindStatObj(id) != so) return false;
  }
  return true;
}

static void StepNodes(StatObj* so) {
  for (int i = 0; i < so->node_count; i++) {
    StepPosition(so, so->nodes[i]);
    StepEdges(so, so->nodes[i]);
  }
}

void RunStatObj() {
  ObjectSlot* self = running_slot;
  int32_t id = self->stat_instance;
  StatObj* so = FindStatObj(id);
  if (!so) return;
  uint32_t own_block = SelectLayoutPlayer(self);
  so->running++;
  current_context = running_context = &so->ctx;
  const StatObjDef* d = FindStatObjDef(so->def_index);
  if (so->triggers_enabled && d) CheckTriggers(so, *d, own_block);
  if (!RunLayoutLanes(so, self, id)) {
    if (self->stat_instance == id) ReleaseSlotInstance(self);
  } else if (StepElements(so, id)) {
    StepNodes(so);
  }
  running_slot = self;
  FinishStatObjRun(so);
}

}  // namespace tolv
