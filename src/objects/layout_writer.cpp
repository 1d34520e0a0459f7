// Object layout writer: the active objects whose type is saved in layouts,
// in the version-4 form.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/message_log.h"
#include "objects/builtin_routines.h"
#include "objects/object_layout.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

namespace {

struct Out {
  std::vector<uint8_t>& b;
  void U8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
  void U16LE(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U16BE(uint32_t v) {
    U8(v >> 8);
    U8(v);
  }
  void U32LE(uint32_t v) {
    U16LE(v);
    U16LE(v >> 16);
  }
};

// Record number of every pool slot in this file, kNoRecord when not saved.
uint16_t record_of[2 * kObjectSlotCount];

uint16_t RecordOf(const ObjectSlot* o) {
  uintptr_t p = reinterpret_cast<uintptr_t>(o), base = reinterpret_cast<uintptr_t>(object_pool);
  if (!o || p < base || p >= base + sizeof object_pool) return kNoRecord;
  return record_of[o - object_pool];
}

bool IsSaved(const ObjectSlot* o) {
  int32_t type = o->var_count ? o->vars[0] : 0;
  const ObjectType* def = type >= 1 && type <= 8999 ? FindObjectType(type) : nullptr;
  return def && (def->flags & 1);
}

void Unstorable(const char* what, uint32_t id) {
  char line[64];
  std::snprintf(line, sizeof line, "%s %u can't go in a layout", what, id);
  ShowMessage(line);
}

// A busy lane's function with its scope; free lanes are stored as 65535.
bool PutFunction(Out& out, uint16_t f, const ScriptContext& ctx) {
  if (f >= ctx.function_count) {
    out.U16LE(kFreeLane);
    return true;
  }
  uint32_t stored = 0;
  const CodeSet* set = ctx.code;
  if (!EncodeScopeId(f, set ? set->game : 0, set ? set->zone : 0, &stored) || stored >= kFreeLane) {
    Unstorable("Function", f);
    return false;
  }
  out.U16LE(stored);
  return true;
}

// A lane block; timed lanes add the frame value, wait timer and the two
// byte parameters.
bool PutLanes(Out& out, const ScriptContext& ctx, const TimedScriptContext* timed) {
  out.U8(ctx.lane_count);
  for (unsigned i = 0; i < ctx.lane_count; i++) {
    if (!PutFunction(out, ctx.lane_funcs[i], ctx)) return false;
    out.U16LE(ctx.lane_pcs[i]);
    if (!timed) continue;
    out.U16LE(timed->frame_values[i]);
    out.U16LE(timed->wait_acc[i]);
    out.U16LE(timed->wait_step[i]);
    out.U16LE(timed->wait_limit[i]);
    out.U8(timed->param1[i]);
    out.U8(timed->param2[i]);
  }
  return true;
}

bool PutAnimation(Out& out, const TimedScriptContext& ctx) {
  if (!PutLanes(out, ctx, &ctx)) return false;
  out.U8(ctx.counter_len);
  for (unsigned i = 0; i < ctx.counter_len; i++) out.U16LE(ctx.counters[i]);
  return true;
}

uint8_t MoverNumber(ObjectRoutine mover) {
  for (uint8_t i = 0; i < sizeof builtin_movers / sizeof builtin_movers[0]; i++)
    if (builtin_movers[i] == mover) return i;
  return 0;
}

bool PutRecord(Out& out, ObjectSlot* o) {
  uint32_t type = static_cast<uint32_t>(o->vars[0]), stored = 0;
  if (!EncodeScopeId(type, object_type_counts.game, object_type_counts.zone, &stored)) {
    Unstorable("Type", type);
    return false;
  }
  out.U32LE(stored);
  out.U16BE(o->var_count);
  for (unsigned i = 1; i < o->var_count; i++) out.U32LE(static_cast<uint32_t>(o->vars[i]));
  if (!PutAnimation(out, o->animation_ctx) || !PutLanes(out, o->movement_ctx, nullptr) ||
      !PutLanes(out, o->drawing_ctx, nullptr))
    return false;
  out.U16LE(RecordOf(o->parent));
  out.U8(o->child_count);
  for (unsigned i = 0; i < o->child_count; i++) out.U16LE(RecordOf(o->children[i]));
  out.U8(MoverNumber(o->mover));
  out.U8(o->snapshot_index < snapshot_count ? 1 : 0);
  return true;
}

}  // namespace

bool EncodeScopeId(uint32_t id, uint32_t game, uint32_t zone, uint32_t* stored) {
  uint32_t v = id < game ? id : id - game < zone ? id - game + 16384 : id - game - zone + 32768;
  *stored = v;
  return DecodeScopeId(v, game, zone) == id;
}

// Every saved object with a snapshot goes back to it before its record is
// written, so the file holds the objects as spawned. The list is sorted
// first: a draw key changed since the snapshot still decides the order.
static void RestoreSnapshots(int n) {
  for (int i = 0; i < n; i++) {
    ObjectSlot* o = object_slots[i];
    if (IsSaved(o) && o->snapshot_index < snapshot_count)
      CopyObjectContexts(&object_snapshots[o->snapshot_index], o);
  }
}

bool WriteObjectLayout(std::vector<uint8_t>& bytes) {
  Out out{bytes};
  int32_t active = registers ? registers[kRegActiveObjects] : 0;
  int n = active < 0 ? 0 : active > kObjectSlotCount ? kObjectSlotCount : active;
  SortObjects();
  RestoreSnapshots(n);
  for (char ch : {'S', 'O', 'B', 'J'}) out.U8(static_cast<uint8_t>(ch));
  out.U8(kLayoutVersion);
  for (uint16_t& r : record_of) r = kNoRecord;
  uint16_t count = 0;
  for (int i = 0; i < n; i++)
    if (IsSaved(object_slots[i])) record_of[object_slots[i] - object_pool] = count++;
  out.U32LE(count);
  for (int i = 0; i < n; i++) {
    ObjectSlot* o = object_slots[i];
    if (record_of[o - object_pool] != kNoRecord && !PutRecord(out, o)) return false;
  }
  return true;
}

}  // namespace tolv
