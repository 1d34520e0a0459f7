// Fuzz target for the level reader: any input, as a file or embedded, must
// leave a level whose every plane is safe to read, and a level that reads
// must write out and read back; from then on (planes enlarged to the least
// size, wraps in bounds) writing and reading again gives the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "../tests/world/level_bytes.h"
#include "world/level_file.h"

using namespace tolv;

static std::vector<uint8_t> Written() {
  ByteWriter w;
  WriteLevelData(w, false);
  return std::move(w.bytes);
}

// Levels past a million cells, once enlarged to 80 x 60 a plane by reading
// them back, are only checked for safety: writing and reading them again
// takes long and finds nothing a small one would not.
static bool Small() {
  uint64_t cells = 0;
  for (uint32_t i = 0; i < plane_count; i++)
    cells += uint64_t(std::max(planes[i].width, 80u)) * std::max(planes[i].height, 60u);
  return cells <= (1u << 20);
}

static void Check(const uint8_t* data, size_t size, bool embedded) {
  ByteReader r(data, size);
  const LevelReadResult result = ReadLevelData(r, embedded);
  if (!test::LevelFault().empty()) std::abort();
  if (result != kLevelRead || !Small()) return;
  std::vector<uint8_t> last;
  for (int round = 0; round < 2; round++) {
    last = Written();
    ByteReader again(last.data(), last.size());
    if (ReadLevelData(again, false) != kLevelRead || again.pos != last.size()) std::abort();
  }
  if (Written() != last) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (AllocRegisters(0), ResetRegisters(), true);
  (void)ready;
  if (size > (1u << 16)) return 0;
  ResetDefaultPlanes();
  Check(data, size, false);
  Check(data, size, true);
  return 0;
}
