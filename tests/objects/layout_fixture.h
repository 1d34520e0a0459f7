// A small world for layout tests: object types, the three object code sets
// bound to every slot, and helpers to place objects and compare worlds.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "objects/layout_pool.h"
#include "objects/object_layout.h"
#include "objects/object_type.h"
#include "objects/records.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {

inline void MoverA() {}
inline void MoverB() {}

// Game 120, zone 5, act 5 types; type t has t % 4 own variables; even types
// up to 8 are saved in layouts, odd ones not.
constexpr uint16_t kGameTypes = 120, kZoneTypes = 5, kActTypes = 5;

inline void ResetSlot(ObjectSlot& o) {
  std::free(o.vars);
  o.vars = static_cast<int32_t*>(std::calloc(7, sizeof(int32_t)));
  o.var_count = 7;
  current_context = &o.movement_ctx;
  ClearContext();
  current_context = &o.drawing_ctx;
  ClearContext();
  timed_context = &o.animation_ctx;
  FreeTimedContext();
  std::free(o.children);
  o.children = nullptr;
  o.child_count = 0;
  o.parent = nullptr;
  o.mover = nullptr;
  o.snapshot_index = 65535;
  o.range_latch = 1;
  o.range_state = 255;
  o.former_type = 0;
  o.order_index = 0;
}

// Each code set: game functions 0..3, zone 4..5, act 6; function k has k + 2
// instructions.
inline void BuildCodeSet(CodeSet& set) {
  for (uint32_t k = 0; k < 7; k++) {
    FunctionBuilder b;
    for (uint32_t i = 0; i < k + 2; i++) b.Add({64});
    AppendFunction(set, b.Finish());
  }
  set.game = 4;
  set.zone = 2;
  set.act = 1;
}

class LayoutTest : public ::testing::Test {
 public:
  CodeSet anim, move, draw;
  std::vector<ObjectType> types;

  void SetUp() override {
    BuildCommandTables();
    AllocRegisters(16);
    ResetRegisters();
    registers[kRegActiveObjects] = 0;
    types.assign(kGameTypes + kZoneTypes + kActTypes, ObjectType{});
    for (size_t t = 0; t < types.size(); t++) {
      types[t].variable_count = t % 4;
      types[t].flags = (t % 2 == 0 && t <= 8) || t >= kGameTypes ? 1 : 0;
      types[t].builtin_movement = t == 6 ? MoverB : nullptr;
    }
    object_types = types.data();
    object_type_counts = {static_cast<uint16_t>(types.size()), kActTypes, kZoneTypes, kGameTypes};
    BuildCodeSet(anim);
    BuildCodeSet(move);
    BuildCodeSet(draw);
    for (int i = 0; i < 2 * kObjectSlotCount; i++) {
      ObjectSlot& o = object_pool[i];
      BindContext(o.animation_ctx, timed_commands, &anim);
      BindContext(o.movement_ctx, script_commands, &move);
      BindContext(o.drawing_ctx, script_commands, &draw);
      ResetSlot(o);
      if (i < kObjectSlotCount) object_slots[i] = &o;
    }
    layout_snapshot_count = 0;
    layout_movers[1] = MoverA;
    layout_movers[5] = MoverB;
    layout_file_path.clear();
  }

  void TearDown() override {
    for (ObjectSlot& o : object_pool) {
      ResetSlot(o);
      std::free(o.vars);
      o.vars = nullptr;
      o.var_count = 0;
    }
    FreeCodeSet(anim);
    FreeCodeSet(move);
    FreeCodeSet(draw);
    object_types = nullptr;
    object_type_counts = {};
    current_context = running_context = nullptr;
    timed_context = nullptr;
  }

  // Appends an active object of the type with its words from 1 on.
  ObjectSlot* Place(int32_t type, std::vector<int32_t> words = {}) {
    int n = registers[kRegActiveObjects]++;
    ObjectSlot* o = object_slots[n];
    uint32_t count = 7 + types[type].variable_count;
    if (words.size() + 1 > count) count = static_cast<uint32_t>(words.size() + 1);
    o->vars = static_cast<int32_t*>(std::realloc(o->vars, count * sizeof(int32_t)));
    std::memset(o->vars, 0, count * sizeof(int32_t));
    o->var_count = static_cast<uint16_t>(count);
    o->vars[0] = type;
    for (size_t i = 0; i < words.size(); i++) o->vars[i + 1] = words[i];
    o->order_index = static_cast<uint16_t>(n);
    return o;
  }

  int Read(const std::vector<uint8_t>& bytes) {
    MemorySource m{bytes.data(), static_cast<uint32_t>(bytes.size()), 0};
    return ReadObjectLayout(MemoryLayoutSource(m));
  }

  std::vector<uint8_t> Write() {
    std::vector<uint8_t> out;
    EXPECT_TRUE(WriteObjectLayout(out));
    return out;
  }
};

// Everything observable about the active list and the free slots right
// after it, flattened for comparison.
inline std::vector<int64_t> WorldDigest() {
  std::vector<int64_t> d;
  int n = registers[kRegActiveObjects];
  d.push_back(n);
  d.push_back(layout_snapshot_count);
  for (int i = 0; i < n + 4 && i < kObjectSlotCount; i++) {
    const ObjectSlot* o = object_slots[i];
    d.push_back(o - object_pool);
    d.push_back(o->var_count);
    for (int k = 0; k < o->var_count; k++) d.push_back(o->vars[k]);
    d.push_back(o->order_index);
    d.push_back(o->animation_ctx.lane_count);
    d.push_back(o->movement_ctx.lane_count);
    d.push_back(o->drawing_ctx.lane_count);
    d.push_back(o->child_count);
    d.push_back(o->parent ? o->parent - object_pool : -1);
    d.push_back(o->snapshot_index);
  }
  return d;
}

// Little byte-writer for hand-made files.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& Str(const char* s) {
    while (*s) b.push_back(static_cast<uint8_t>(*s++));
    return *this;
  }
  Bytes& U8(uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& LE16(uint32_t v) { return U8(v).U8(v >> 8); }
  Bytes& BE16(uint32_t v) { return U8(v >> 8).U8(v); }
  Bytes& LE32(uint32_t v) { return LE16(v).LE16(v >> 16); }
};

}  // namespace tolv::test
