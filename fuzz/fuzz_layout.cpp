// Fuzz target for the object layout reader: any input must either be
// refused or load a world whose layout reads back and writes out the same.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../tests/objects/layout_world.h"

using namespace tolv;

static test::LayoutWorld world;

static int ReadBytes(const uint8_t* data, size_t size) {
  MemorySource m{data, static_cast<uint32_t>(size), 0};
  return ReadObjectLayout(MemoryLayoutSource(m));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (world.Build(), true);
  (void)ready;
  if (size > (1u << 20)) return 0;
  // One object already active, as a player object would be.
  registers[kRegActiveObjects] = 1;
  object_slots[0]->vars[0] = 9996;
  if (ReadBytes(data, size) >= 0) {
    std::vector<uint8_t> first, second;
    if (!WriteObjectLayout(first)) std::abort();
    test::ClearWorld();
    if (ReadBytes(first.data(), first.size()) < 0) std::abort();
    if (!WriteObjectLayout(second) || second != first) std::abort();
  }
  test::ClearWorld();
  return 0;
}
