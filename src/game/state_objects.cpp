// The objects in a saved state: a record for every active object and every
// snapshot, then the pool record at every list position, so a load gives
// every object back its own record and every handle held anywhere still
// names the same object.
#include <cstring>
#include <new>

#include "game/state_sections.h"
#include "objects/builtin_routines.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/objects_state.h"
#include "objects/stat_obj_hooks.h"
#include "script/registers.h"

namespace tolv {

constexpr uint8_t kRecordVersion = 4;
constexpr uint8_t kStateSnapshotByte = 2;  // index, latch and range state follow
constexpr unsigned kMoverCount = sizeof builtin_movers / sizeof builtin_movers[0];

// Types past 9000 carry no lanes or links; stat objects carry their
// instance instead.
static bool HasLanes(int32_t type) { return type <= 9000; }

// The words a special type's code reads.
static uint32_t FixedVarCount(int32_t type) {
  switch (type) {
    case kTypeHud: return 9;
    case kTypePlayerObject: case kTypePlayerSecond: case kTypePauseMenu: return 8;
    case kTypePlaneSwitch: return 10;
    default: return kFreeSlotVars;
  }
}

static uint16_t Position(const ObjectSlot* o) {
  uint32_t active = ActiveObjectCount();
  return o && o->order_index < active && object_slots[o->order_index] == o ? o->order_index : kNoPosition;
}

static uint8_t MoverNumber(ObjectRoutine mover) {
  for (uint8_t i = 0; i < kMoverCount; i++)
    if (builtin_movers[i] == mover) return i;
  return 0;
}

static void WriteRecord(ByteWriter& w, const ObjectSlot* o) {
  int32_t type = o->var_count ? o->vars[0] : 0;
  w.U32(uint32_t(type));
  w.U16(o->var_count);
  for (uint32_t i = 1; i < o->var_count; i++) w.U32(uint32_t(o->vars[i]));
  if (IsStatObjType(type)) return WriteStatObjState(w, o->stat_instance);
  if (!HasLanes(type)) return;
  WriteTimedLanes(w, o->animation_ctx);
  WriteLanes(w, o->movement_ctx);
  WriteLanes(w, o->drawing_ctx);
  w.U16(Position(o->parent));
  w.U8(o->child_count);
  for (unsigned i = 0; i < o->child_count; i++) w.U16(Position(o->children[i]));
  w.U8(MoverNumber(o->mover));
  w.U8(kStateSnapshotByte);
  w.U16(o->snapshot_index < snapshot_count ? o->snapshot_index : 65535);
  w.U8(o->range_latch);
  w.U8(o->range_state);
}

static void WriteRecords(ByteWriter& w, ObjectSlot* const* list, uint32_t n) {
  w.U8(kRecordVersion);
  w.U32(n);
  for (uint32_t i = 0; i < n; i++) WriteRecord(w, list[i]);
}

void WriteObjectSection(ByteWriter& w) {
  WriteRecords(w, object_slots, ActiveObjectCount());
  ObjectSlot* snapshots[kObjectSlotCount];
  for (uint32_t i = 0; i < snapshot_count; i++) snapshots[i] = &object_snapshots[i];
  WriteRecords(w, snapshots, snapshot_count);
  for (ObjectSlot* o : object_slots) w.U16(o->id);
}

static const CodeSet* ObjectCode(ObjectCodeKind k) { return &object_code_sets[k]; }

static bool ReadRecord(ByteReader& r, StagedObject& o) {
  int32_t type = r.S32();
  uint32_t n = r.U16();
  if (!r.CanHold(n ? n - 1 : 0, 4)) return false;
  o.vars.assign(n > FixedVarCount(type) ? n : FixedVarCount(type), 0);
  o.vars[0] = type;
  for (uint32_t i = 1; i < n; i++) o.vars[i] = r.S32();
  if (IsStatObjType(type)) {
    bool none = false;
    o.stat = ReadStatObjState(r, &none);
    return o.stat || none;
  }
  if (!HasLanes(type)) return !r.failed;
  ReadTimedLanes(r, ObjectCode(kAnimationCode), o.animation);
  ReadLanes(r, ObjectCode(kMovementCode), o.movement);
  ReadLanes(r, ObjectCode(kDrawingCode), o.drawing);
  o.parent = r.U16();
  o.children.assign(r.U8(), kNoPosition);
  for (uint16_t& c : o.children) c = r.U16();
  o.mover = r.U8();
  if (r.U8() != kStateSnapshotByte) return false;
  o.snapshot = r.U16();
  o.range_latch = r.U8();
  o.range_state = r.U8();
  return !r.failed;
}

static bool ReadRecords(ByteReader& r, std::vector<StagedObject>& out) {
  if (r.U8() != kRecordVersion) return false;
  uint32_t n = r.U32();
  if (r.failed || n > kObjectSlotCount) return false;
  out.resize(n);
  for (StagedObject& o : out)
    if (!ReadRecord(r, o)) return false;
  return true;
}

// Every pool record once.
static bool ReadListOrder(ByteReader& r, std::vector<uint16_t>& order) {
  std::vector<bool> seen(kObjectSlotCount);
  order.resize(kObjectSlotCount);
  for (uint16_t& id : order) {
    id = r.U16();
    if (r.failed || id >= kObjectSlotCount || seen[id]) return false;
    seen[id] = true;
  }
  return true;
}

bool ReadObjectSection(ByteReader& r, StagedState& s) {
  return ReadRecords(r, s.objects) && ReadRecords(r, s.snapshots) && ReadListOrder(r, s.list_order);
}

// Links name list positions of the active objects; snapshots keep none.
static void InstallRecord(StagedObject& st, ObjectSlot* o, uint32_t active, uint32_t snapshots) {
  SetVarCount(o, static_cast<uint32_t>(st.vars.size()));
  std::memcpy(o->vars, st.vars.data(), st.vars.size() * sizeof(int32_t));
  o->former_type = static_cast<uint32_t>(st.vars[0]);
  RestoreTimedLanes(o->animation_ctx, st.animation);
  RestoreLanes(o->movement_ctx, st.movement);
  RestoreLanes(o->drawing_ctx, st.drawing);
  o->parent = st.parent < active ? object_slots[st.parent] : nullptr;
  if (size_t n = st.children.size()) {
    o->children = static_cast<ObjectSlot**>(std::malloc(n * sizeof(ObjectSlot*)));
    if (!o->children) throw std::bad_alloc();
    for (size_t i = 0; i < n; i++) o->children[i] = st.children[i] < active ? object_slots[st.children[i]] : nullptr;
    o->child_count = static_cast<uint8_t>(n);
  }
  o->mover = builtin_movers[st.mover < kMoverCount ? st.mover : 0];
  o->snapshot_index = st.snapshot < snapshots ? st.snapshot : 65535;
  o->range_latch = st.range_latch;
  o->range_state = st.range_state;
  if (st.stat) {
    const int32_t id = InstallStatObjState(std::move(st.stat), o->vars[7]);  // the id it had, when free
    o->stat_instance = o->vars[7] = id;
  }
}

void InstallObjects(StagedState& s) {
  ResetObjects();
  for (uint32_t i = 0; i < kObjectSlotCount; i++) {
    object_slots[i] = &object_pool[s.list_order[i]];
    object_slots[i]->order_index = static_cast<uint16_t>(i);
  }
  uint32_t active = static_cast<uint32_t>(s.objects.size()), snapshots = static_cast<uint32_t>(s.snapshots.size());
  registers[kRegActiveObjects] = static_cast<int32_t>(active);
  snapshot_count = static_cast<uint16_t>(snapshots);
  for (uint32_t i = 0; i < active; i++) InstallRecord(s.objects[i], object_slots[i], active, snapshots);
  for (uint32_t i = 0; i < snapshots; i++) {
    StagedObject& st = s.snapshots[i];
    st.parent = kNoPosition;
    st.children.clear();
    InstallRecord(st, &object_snapshots[i], 0, snapshots);
  }
  processing_slot = object_slots[0];
  // The pause menu is the menu object that came back, if any.
  pause_slot = &void_slot;
  pause_stat_obj = 65535;
  for (uint32_t i = 0; i < active && pause_stat_obj == 65535; i++)
    if (const StatObj* so = FindStatObj(object_slots[i]->stat_instance); so && object_slots[i]->vars[0] == kTypePauseMenu) {
      pause_slot = object_slots[i];
      pause_stat_obj = so->def_index;
    }
}

}  // namespace tolv
