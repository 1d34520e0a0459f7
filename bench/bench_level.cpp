// Level file speed: a generated level of six planes, one of each type,
// 1024 x 256 tiles each, with maps of short runs among single tiles as
// drawn levels have them; read from and written to memory, in MB/s of the
// file's bytes, against memcpy of the same bytes.
#include <cstring>
#include <random>
#include <vector>

#include "bench_harness.h"
#include "script/registers.h"
#include "world/level.h"
#include "world/level_file.h"

using namespace tolv;

static void MakeLevel() {
  std::mt19937 rng(1024);
  PlaneList list;
  for (uint8_t type = 0; type < 6; type++) {
    TilePlane& p = *list.Add(type, 1024, 256);
    const uint32_t cells = p.width * p.height;
    for (uint32_t k = 0; k < cells;) {
      const uint32_t run = rng() % 4 ? 1 : 2 + rng() % 40, id = rng() % 2000;
      for (uint32_t e = std::min(cells, k + run); k < e; k++) p.map[k] = static_cast<uint16_t>(id);
    }
    for (uint32_t i = 0; i < PlaneLineCount(type, p.width, p.height); i++) p.line_factors[i] = rng() % 256;
  }
  SwapLevelPlanes(list);
}

int main() {
  AllocRegisters(0);
  ResetRegisters();
  MakeLevel();
  ByteWriter w;
  WriteLevelData(w, false);
  const std::vector<uint8_t> file = w.bytes;
  std::vector<uint8_t> copy(file.size());
  const double mb = double(file.size()) / 1e6;
  const double read_ns = bench::TimePerUnit(
      [&] {
        ByteReader r(file.data(), file.size());
        if (ReadLevelData(r, false) != kLevelRead) std::abort();
      },
      1, 3, 0.5);
  const double write_ns = bench::TimePerUnit(
      [&] {
        ByteWriter out;
        WriteLevelData(out, false);
      },
      1, 3, 0.5);
  const double copy_ns = bench::TimePerUnit([&] { std::memcpy(copy.data(), file.data(), file.size()); }, 1);
  auto rate = [&](double ns) { return mb / (ns * 1e-9); };
  std::printf("level: %.0f MB/s read, %.0f MB/s write (memcpy %.0f MB/s: %.3fx, %.3fx; %.2f MB file)\n",
              rate(read_ns), rate(write_ns), rate(copy_ns), copy_ns / read_ns, copy_ns / write_ns, mb);
  FreeLevel();
  return 0;
}
