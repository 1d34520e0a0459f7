// Plane drawer speed: every type and kind at 424x240 and 640x480 on a
// 128 x 64 plane over 2000 tiles (70% opaque), as microseconds a frame and
// as a ratio to memcpy of the view's bytes, timed in the same run. Every
// scroll line has an offset of its own (the worst case for the lined
// types); the lined types are timed again with the 8 lines of each tile
// row or column alike ("plane-alike:", left out of the worst ratio).
#include <cstring>
#include <random>
#include <vector>

#include "bench_harness.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/geometry.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile.h"
#include "world/tile_plane.h"

using namespace tolv;

namespace {

const char* const kTypeNames[] = {"Flat", "Relative", "HTiled", "VTiled", "HLined", "VLined"};

// The ratio each type and kind is held to.
double Target(int type, bool opaque) {
  if (type >= kPlaneHLined) return 6;
  return opaque ? 3 : 8;
}

// Offsets as scrolling leaves them: far from the origin, every line its
// own, or every run of `alike` lines one.
void ScrollPlane(TilePlane& p, std::mt19937& rng, uint32_t alike) {
  uint32_t lines = PlaneLineCount(p.type, p.width, p.height);
  for (uint32_t l = 0; l < lines; l++)
    p.line_offsets[l] = l % alike ? p.line_offsets[l - 1] : 20000 + int32_t(rng() % 997);
  p.other_offset = 12345;
}

}  // namespace

int main() {
  std::mt19937 rng(23);
  constexpr uint16_t kTiles = 2000;
  std::vector<Tile> set(kTiles);
  std::vector<uint8_t> pixels(size_t{kTiles} * 64);
  for (uint32_t i = 0; i < kTiles; i++) {
    uint8_t* px = &pixels[size_t{i} * 64];
    bool holes = rng() % 10 < 3;
    for (int j = 0; j < 64; j++) px[j] = holes && rng() % 3 == 0 ? 0 : uint8_t(1 + rng() % 255);
    set[i].current_frame = px;
    set[i].opaque = !holes;
  }
  tiles = set.data();
  tile_count = kTiles;
  AllocRegisters(0);
  registers[kRegCameraX] = 3003, registers[kRegCameraY] = 1501;
  registers[27] = 128 * 8, registers[29] = 64 * 8;

  std::vector<uint8_t> view(640 * 480), from(640 * 480, 1);
  frame_buffer = view.data();
  double worst = 0;
  char worst_what[64] = "";
  for (FrameGeometry g : {k424x240, k640x480}) {
    DrawRoutines r{};
    InstallPlaneDrawers(g, r);
    const GeometrySize size = kGeometrySizes[g];
    const size_t bytes = size_t(size.width) * size.height;
    const double copy_ns = bench::TimePerUnit([&] { std::memcpy(view.data(), from.data(), bytes); }, 1, 5, 0.05);
    for (int run = 0; run < kPlaneTypes + 2; run++) {
      const bool alike = run >= kPlaneTypes;  // the lined types again, lines alike
      const uint8_t type = uint8_t(alike ? run - 2 : run);
      TilePlane plane{};
      InitPlane(plane, type, 128, 64);
      for (uint32_t i = 0; i < 128 * 64; i++) plane.map[i] = uint16_t(rng() % kTiles);
      ScrollPlane(plane, rng, alike ? 8 : 1);
      for (bool opaque : {false, true}) {
        PlaneRoutine draw = opaque ? r.draw_plane_opaque[type] : r.draw_plane[type];
        double ns = bench::TimePerUnit([&] { draw(&plane); }, 1, 5, 0.05);
        double ratio = ns / copy_ns;
        const char* kind = opaque ? "opaque" : "transparent";
        std::printf("%s: %s %s %dx%d %.1f us (memcpy ratio %.2f, target %.0f)\n", alike ? "plane-alike" : "plane",
                    kTypeNames[type], kind, size.width, size.height, ns / 1000, ratio, Target(type, opaque));
        if (!alike && ratio > worst) {
          worst = ratio;
          std::snprintf(worst_what, sizeof worst_what, "%s %s %dx%d", kTypeNames[type], kind, size.width, size.height);
        }
      }
      FreePlane(plane);
    }
  }
  std::printf("planes: worst ratio %.2f (%s)\n", worst, worst_what);
  tiles = nullptr;
  tile_count = 0;
  return 0;
}
