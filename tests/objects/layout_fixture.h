// Layout test fixture: the shared world plus helpers to place objects,
// read and write layouts, and compare worlds.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "layout_world.h"

namespace tolv::test {

class LayoutTest : public ::testing::Test {
 public:
  LayoutWorld world;
  std::vector<ObjectType>& types = world.types;
  CodeSet& draw = world.draw;

  void SetUp() override { world.Build(); }
  void TearDown() override { world.Free(); }

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
  d.push_back(snapshot_count);
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
