// Plane scrolling: a 6-plane level (Relative, two Flat, H Tiled, and an H
// Lined and a V Lined plane of 480 lines each) filled for two views a
// frame, against copying the same offsets with memcpy.
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench_harness.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/frame_steps.h"
#include "world/level.h"
#include "world/plane_scroll.h"

using namespace tolv;

int main() {
  AllocRegisters(0);
  ResetRegisters();
  PlaneList level;
  const uint8_t types[6] = {kPlaneRelative, kPlaneFlat, kPlaneFlat, kPlaneHTiled, kPlaneHLined, kPlaneVLined};
  uint64_t lines = 0;
  for (uint8_t t : types) {
    TilePlane* p = level.Add(t, 60, 60);
    if (!p) return 1;
    p->active_view0 = p->active_view1 = 1;
    uint32_t n = PlaneLineCount(t, 60, 60);
    for (uint32_t i = 0; i < n; i++) p->line_factors[i] = static_cast<uint8_t>(i * 7);
    lines += n + 1;
  }
  SwapLevelPlanes(level);
  if (plane_count != 6 || PlaneLineCount(kPlaneHLined, 60, 60) != 480) return 1;
  auto frame = [] {
    for (int v = 0; v < 2; v++) {
      registers[kRegView] = registers[kRegPlayer] = v;
      registers[kRegCameraX] += 3;
      registers[kRegCameraY] += 1;
      UpdatePlaneScroll();
    }
    game_frame_counter++;
  };
  std::vector<int32_t> from(2 * lines), to(2 * lines);
  double scroll = bench::TimePerUnit(frame, 1);
  double copy = bench::TimePerUnit([&] {
    std::memcpy(to.data(), from.data(), to.size() * sizeof(int32_t));
    asm volatile("" ::"r"(to.data()) : "memory");
  }, 1);
  std::printf("scroll: %.2f us/frame (memcpy of the same %llu offsets %.2f us, ratio %.1f)\n", scroll / 1e3,
              static_cast<unsigned long long>(2 * lines), copy / 1e3, scroll / copy);
  FreeLevel();
  return 0;
}
