// Object layout reader. The whole file is staged and checked first; only a
// complete, valid file reaches the object slots, so a bad file leaves the
// world as it was.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "base/message_log.h"
#include "objects/builtin_routines.h"
#include "objects/object_layout.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "script/machine_state.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

namespace {

constexpr unsigned kMoverCount = sizeof builtin_movers / sizeof builtin_movers[0];

struct StagedLane {
  uint16_t func = kFreeLane, pc = 0, frame = 0, acc = 0, step = 0, limit = 0;
  uint8_t p1 = 255, p2 = 255;
};

struct StagedObject {
  std::vector<int32_t> vars;
  std::vector<StagedLane> anim, move, draw;
  std::vector<uint16_t> counters;
  std::vector<uint16_t> children;
  uint16_t parent = kNoRecord;
  ObjectRoutine mover = nullptr;
  uint8_t snapshot = 0;  // 1: take one when committed; 2: the stored one below
  uint16_t snapshot_index = 65535;
  uint8_t range_latch = 1, range_state = 255;
};

// The file's bytes in order; a read at or past `end`, or one the source
// cannot serve, marks the file short and gives 0.
struct Cursor {
  const LayoutSource* src;
  uint32_t pos, end;
  bool short_read;
};

uint8_t U8(Cursor& c) {
  if (c.short_read || c.pos >= c.end) {
    c.short_read = true;
    return 0;
  }
  int b = c.src->read_byte(c.src->ctx);
  if (b < 0 || b > 255) {
    c.short_read = true;
    return 0;
  }
  c.pos++;
  return static_cast<uint8_t>(b);
}

uint16_t U16LE(Cursor& c) {
  uint16_t lo = U8(c);
  return static_cast<uint16_t>(lo | U8(c) << 8);
}

uint16_t U16BE(Cursor& c) {
  uint16_t hi = U8(c);
  return static_cast<uint16_t>(hi << 8 | U8(c));
}

uint32_t U32LE(Cursor& c) {
  uint32_t lo = U16LE(c);
  return lo | static_cast<uint32_t>(U16LE(c)) << 16;
}

bool Seek(Cursor& c, uint32_t pos) {
  c.pos = pos;
  if (!c.src->seek(c.src->ctx, pos)) c.short_read = true;
  return !c.short_read;
}

struct Parse {
  Cursor cur;
  uint8_t version;
  uint32_t count;
  uint32_t first;  // slot index of the first record
  std::vector<StagedObject> objects;
};

void Refuse(const char* fmt, uint32_t value) {
  char line[96];
  std::snprintf(line, sizeof line, fmt, value);
  ShowMessage(line);
}

// A defined type: 1 .. count - 1 (0 marks a deleted object).
const ObjectType* DefinedType(uint32_t id) {
  return id >= 1 && id < object_type_counts.total && object_types ? &object_types[id] : nullptr;
}

// A lane naming no function of its set, or a pc past its function's end,
// is made free.
void CheckLane(StagedLane& l, uint32_t f, const ScriptContext& ctx) {
  const ScriptFunction* fn = f < kFreeLane ? ContextFunction(&ctx, static_cast<uint16_t>(f)) : nullptr;
  if (!fn || l.pc >= fn->count) {
    l = StagedLane{};
    return;
  }
  l.func = static_cast<uint16_t>(f);
}

uint32_t DecodeFunction(uint16_t stored, bool coded, const ScriptContext& ctx) {
  if (stored == kFreeLane || !coded) return stored;
  const CodeSet* set = ctx.code;
  return DecodeScopeId(stored, set ? set->game : 0, set ? set->zone : 0);
}

// A lane block: per lane a function and a pc; timed lanes add the frame
// value and wait timer, and from version 1 the two byte parameters.
void ReadLanes(Parse& p, const ScriptContext& ctx, bool timed, std::vector<StagedLane>& out) {
  Cursor& c = p.cur;
  uint8_t lanes = U8(c);
  for (unsigned i = 0; i < lanes && !c.short_read; i++) {
    StagedLane l;
    uint16_t stored = U16LE(c);
    l.pc = U16LE(c);
    if (timed) {
      l.frame = U16LE(c);
      l.acc = U16LE(c);
      l.step = U16LE(c);
      l.limit = U16LE(c);
    }
    if (timed && p.version >= 1) {
      l.p1 = U8(c);
      l.p2 = U8(c);
    }
    if (stored != kFreeLane) CheckLane(l, DecodeFunction(stored, p.version >= 1, ctx), ctx);
    out.push_back(l);
  }
}

void ReadAnimationBlock(Parse& p, const TimedScriptContext& ctx, StagedObject& o) {
  ReadLanes(p, ctx, true, o.anim);
  Cursor& c = p.cur;
  unsigned counters = p.version == 0 ? 8 : U8(c);
  for (unsigned i = 0; i < counters && !c.short_read; i++) o.counters.push_back(U16LE(c));
}

void ReadLinks(Parse& p, StagedObject& o) {
  Cursor& c = p.cur;
  o.parent = U16LE(c);
  uint8_t n = U8(c);
  for (unsigned i = 0; i < n && !c.short_read; i++) o.children.push_back(U16LE(c));
  uint8_t mover = U8(c);
  o.mover = builtin_movers[mover < kMoverCount ? mover : 0];
  uint8_t snapshot = U8(c);
  o.snapshot = snapshot != 0;
  if (snapshot == 2 && p.version >= 2) {
    o.snapshot = 2;
    o.snapshot_index = U16BE(c);
    o.range_latch = U8(c);
    o.range_state = U8(c);
  }
}

// Type, variables and, for types up to 9000, lanes, links, mover and
// snapshot byte. `slot` is the record's destination (its contexts' code
// sets decide which functions exist).
bool ReadRecord(Parse& p, const ObjectSlot* slot, StagedObject& o) {
  Cursor& c = p.cur;
  uint32_t type = DecodeScopeId(U32LE(c), object_type_counts.game, object_type_counts.zone);
  const ObjectType* def = DefinedType(type);
  uint32_t need = def && def->variable_count <= 65535 - 7 ? def->variable_count + 7 : 7;
  uint32_t n;
  if (p.version == 0) {
    if (!def && !c.short_read) {
      Refuse("Layout: unknown object type %u", type);
      return false;
    }
    n = need;
  } else {
    n = p.version <= 2 ? U8(c) : U16BE(c);
  }
  if (c.short_read) return true;
  o.vars.assign(n > need ? n : need, 0);
  o.vars[0] = def ? static_cast<int32_t>(type) : 0;
  for (uint32_t i = 1; i < n && !c.short_read; i++) o.vars[i] = static_cast<int32_t>(U32LE(c));
  if (p.version <= 1) o.vars[4] = 0;
  o.mover = builtin_movers[0];
  if (type > 9000) return true;
  ReadAnimationBlock(p, slot->animation_ctx, o);
  if (p.version == 0) {
    o.mover = def->builtin_movement;
    return true;
  }
  ReadLanes(p, slot->movement_ctx, false, o.move);
  ReadLanes(p, slot->drawing_ctx, false, o.draw);
  ReadLinks(p, o);
  return true;
}

// Magic, version and object count; positions the cursor at the first record.
bool ReadHeader(Parse& p) {
  Cursor& c = p.cur;
  uint32_t size = c.end;
  uint8_t magic[4] = {};
  if (size >= 4)
    for (uint8_t& b : magic) b = U8(c);
  uint32_t start = 0;
  if (std::memcmp(magic, "SOBJ", 4) == 0) {
    p.version = U8(c);
    start = 5;
    if (!c.short_read && p.version > kLayoutVersion) {
      Refuse("Unknown layout version %u", p.version);
      return false;
    }
  } else {
    p.version = 0;
    Seek(c, 0);
  }
  if (p.version == kLayoutVersion) {
    p.count = U32LE(c);
  } else if (size >= start + 4 && Seek(c, size - 4)) {
    p.count = U32LE(c);
    Seek(c, start);
    c.end = size - 4;  // the records end where the count begins
  } else {
    c.short_read = true;
  }
  if (c.short_read) {
    ShowMessage("Layout file ends early");
    return false;
  }
  if (p.count > kObjectSlotCount - p.first) {
    Refuse("Too many objects in layout: %u", p.count);
    return false;
  }
  return true;
}

// Links beyond the file's objects are none.
void CheckLinks(Parse& p) {
  for (StagedObject& o : p.objects) {
    if (o.parent >= p.count) o.parent = kNoRecord;
    for (uint16_t& k : o.children)
      if (k >= p.count) k = kNoRecord;
  }
}

// Fresh slots are empty, so each lane array is sized once and filled.
void FillLanes(ScriptContext* ctx, const std::vector<StagedLane>& lanes) {
  current_context = ctx;
  SetLaneCount(static_cast<uint16_t>(lanes.size()));
  for (size_t i = 0; i < lanes.size(); i++) {
    ctx->lane_funcs[i] = lanes[i].func;
    ctx->lane_pcs[i] = lanes[i].pc;
  }
}

void FillAnimation(TimedScriptContext* ctx, const StagedObject& o) {
  timed_context = ctx;
  SetTimedLaneCount(static_cast<uint16_t>(o.anim.size()));
  for (size_t i = 0; i < o.anim.size(); i++) {
    const StagedLane& l = o.anim[i];
    ctx->lane_funcs[i] = l.func;
    ctx->lane_pcs[i] = l.pc;
    ctx->frame_values[i] = l.frame;
    ctx->wait_acc[i] = l.acc;
    ctx->wait_step[i] = l.step;
    ctx->wait_limit[i] = l.limit;
    ctx->param1[i] = l.p1;
    ctx->param2[i] = l.p2;
  }
  GrowTimedCounters(static_cast<uint16_t>(o.counters.size()));
  for (size_t i = 0; i < o.counters.size(); i++) ctx->counters[i] = o.counters[i];
}

// A fresh snapshot of the object as loaded. A full snapshot pool takes none.
void TakeSnapshot(ObjectSlot* slot) {
  if (snapshot_count >= kObjectSlotCount) return;
  CopyObjectContexts(slot, &object_snapshots[snapshot_count]);
  slot->snapshot_index = snapshot_count++;
}

// Snapshot byte 2 keeps the stored snapshot, latch and state; only an index
// that names no snapshot, or one another object already has, gets a fresh
// snapshot instead.
void PlaceSnapshot(const StagedObject& o, ObjectSlot* slot, std::vector<bool>& owned) {
  if (o.snapshot == 2) {
    slot->range_latch = o.range_latch;
    slot->range_state = o.range_state;
    if (o.snapshot_index < snapshot_count && !owned[o.snapshot_index]) slot->snapshot_index = o.snapshot_index;
    else TakeSnapshot(slot);
  } else if (o.snapshot) {
    TakeSnapshot(slot);
  }
  if (slot->snapshot_index < owned.size()) owned[slot->snapshot_index] = true;
}

void CommitObject(const Parse& p, const StagedObject& o, ObjectSlot* slot, ObjectSlot* const* dest,
                  std::vector<bool>& owned) {
  ResetSlot(slot);
  SetVarCount(slot, static_cast<uint32_t>(o.vars.size()));
  std::memcpy(slot->vars, o.vars.data(), o.vars.size() * sizeof(int32_t));
  slot->former_type = static_cast<uint32_t>(o.vars[0]);
  FillAnimation(&slot->animation_ctx, o);
  FillLanes(&slot->movement_ctx, o.move);
  FillLanes(&slot->drawing_ctx, o.draw);
  slot->parent = o.parent < p.count ? dest[o.parent] : nullptr;
  if (size_t n = o.children.size()) {
    slot->children = static_cast<ObjectSlot**>(std::malloc(n * sizeof(ObjectSlot*)));
    if (!slot->children) throw std::bad_alloc();
    for (size_t i = 0; i < n; i++) slot->children[i] = o.children[i] < p.count ? dest[o.children[i]] : nullptr;
    slot->child_count = static_cast<uint8_t>(n);
  }
  slot->mover = o.mover;
  PlaceSnapshot(o, slot, owned);
}

void Commit(Parse& p) {
  SavedMachineState keep;
  ObjectSlot* const* dest = object_slots + p.first;
  std::vector<bool> owned(kObjectSlotCount);  // snapshots the active objects have
  for (uint32_t i = 0; i < p.first; i++)
    if (object_slots[i]->snapshot_index < kObjectSlotCount) owned[object_slots[i]->snapshot_index] = true;
  for (uint32_t i = 0; i < p.count; i++) {
    dest[i]->order_index = static_cast<uint16_t>(p.first + i);
    CommitObject(p, p.objects[i], dest[i], dest, owned);
  }
  TouchLanes();
  registers[kRegActiveObjects] = static_cast<int32_t>(p.first + p.count);
  SortObjects();
}

}  // namespace

uint32_t DecodeScopeId(uint32_t stored, uint32_t game, uint32_t zone) {
  if (stored >= 32768) return stored - 32768 + game + zone;
  if (stored > 16347) return stored - 16384 + game;
  return stored;
}

int ReadObjectLayout(const LayoutSource& src) {
  int32_t active = registers ? registers[kRegActiveObjects] : -1;
  if (active < 0 || active > kObjectSlotCount) {
    ShowMessage("Object list is in disorder");
    return -1;
  }
  Parse p{{&src, 0, src.size, false}, 0, 0, static_cast<uint32_t>(active), {}};
  if (!ReadHeader(p)) return -1;
  for (uint32_t i = 0; i < p.count; i++) {
    p.objects.emplace_back();
    if (!ReadRecord(p, object_slots[p.first + i], p.objects.back())) return -1;
    if (p.cur.short_read) {
      ShowMessage("Layout file ends early");
      return -1;
    }
  }
  CheckLinks(p);
  Commit(p);
  return static_cast<int>(p.count);
}

static int ReadMemoryByte(void* ctx) {
  MemorySource* m = static_cast<MemorySource*>(ctx);
  return m->pos < m->size ? m->data[m->pos++] : -1;
}

static bool SeekMemory(void* ctx, uint32_t pos) {
  MemorySource* m = static_cast<MemorySource*>(ctx);
  if (pos > m->size) return false;
  m->pos = pos;
  return true;
}

LayoutSource MemoryLayoutSource(MemorySource& m) { return {ReadMemoryByte, SeekMemory, m.size, &m}; }

}  // namespace tolv
