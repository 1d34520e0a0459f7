// Planes, tiles and a guarded view for the plane drawer tests: a tile set
// of the test's own (opaque tiles, tiles with holes, tile 0 with holes), a
// W x R view with a canary before and after it, and random planes and
// offsets that reach past every bound the drawers guard against.
#pragma once
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "render/frame.h"
#include "world/tile.h"
#include "world/tile_plane.h"

namespace tolv::test {

// Tile i: pixel j = (61 i + 7 j) % 254 + 1, and colour 0 where (i + j) % 5
// == 0 on every third tile (and tile 0); the opaque flag as loading sets it.
struct PlaneTiles {
  std::vector<Tile> set;
  std::vector<uint8_t> pixels;
  Tile* old_tiles = tiles;
  uint16_t old_count = tile_count;
  explicit PlaneTiles(uint16_t n = 40) : set(n), pixels(size_t{n} * 64) {
    for (uint32_t i = 0; i < n; i++) {
      uint8_t* px = &pixels[size_t{i} * 64];
      for (uint32_t j = 0; j < 64; j++) px[j] = (i % 3 == 0 && (i + j) % 5 == 0) ? 0 : uint8_t((61 * i + 7 * j) % 254 + 1);
      set[i].current_frame = px;
      set[i].opaque = !std::memchr(px, 0, 64);
    }
    tiles = set.data();
    tile_count = n;
  }
  ~PlaneTiles() {
    tiles = old_tiles;
    tile_count = old_count;
  }
};

constexpr uint8_t kViewCanary = 0xA5;
constexpr size_t kViewGuard = 4096;

// A W x R view the drawers write through frame_buffer, over a background
// pattern, with canaries on both sides.
struct GuardedView {
  int W, R;
  std::vector<uint8_t> mem;
  uint8_t* saved = frame_buffer;
  GuardedView(int w, int r) : W(w), R(r), mem(kViewGuard * 2 + size_t(w) * r, kViewCanary) {
    for (size_t i = 0; i < Bytes(); i++) Start()[i] = uint8_t(i % 251 + 3);
    frame_buffer = Start();
  }
  ~GuardedView() { frame_buffer = saved; }
  uint8_t* Start() { return mem.data() + kViewGuard; }
  size_t Bytes() const { return size_t(W) * R; }
  std::vector<uint8_t> Copy() { return {Start(), Start() + Bytes()}; }
  bool CanaryIntact() const {
    for (size_t i = 0; i < kViewGuard; i++)
      if (mem[i] != kViewCanary || mem[mem.size() - 1 - i] != kViewCanary) return false;
    return true;
  }
};

// Offsets of every kind the tests mix: small, multiples of 8, near plus
// and minus 2^30, and the ends of the 32-bit range.
inline int32_t RandomOffset(std::mt19937& rng) {
  auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
  switch (pick(0, 5)) {
    case 0: return pick(-100, 100);
    case 1: return pick(-500, 500) * 8;
    case 2: return (1 << 30) + pick(-40, 40);
    case 3: return -(1 << 30) + pick(-40, 40);
    case 4: return pick(0, 1) ? INT32_MAX - pick(0, 20) : INT32_MIN + pick(0, 20);
    default: return pick(-5000, 5000);
  }
}

// A wrap for a line of `extent` tiles: mostly in range, sometimes 0, past
// the plane or absurd.
inline uint32_t RandomWrap(std::mt19937& rng, uint32_t extent) {
  uint32_t k = std::uniform_int_distribution<uint32_t>(0, 19)(rng);
  if (k == 0) return 0;
  if (k == 1) return extent + 1 + k;
  if (k == 2) return 0xFFFFFFFFu;
  return std::uniform_int_distribution<uint32_t>(1, extent)(rng);
}

// A plane of `type` with random size, map (ids beyond the set included),
// wraps and offsets.
inline void RandomPlane(TilePlane& p, uint8_t type, std::mt19937& rng) {
  auto pick = [&](uint32_t lo, uint32_t hi) { return std::uniform_int_distribution<uint32_t>(lo, hi)(rng); };
  switch (pick(0, 7)) {  // small, large, or wider than the lined drawers' cell cache
    case 0: case 1: InitPlane(p, type, pick(60, 130), pick(40, 80)); break;
    case 2: InitPlane(p, type, pick(1030, 1100), pick(1, 3)); break;
    default: InitPlane(p, type, pick(1, 12), pick(1, 12));
  }
  for (uint64_t i = 0; i < uint64_t{p.width} * p.height; i++) {
    uint32_t k = pick(0, 19);
    p.map[i] = uint16_t(k == 0 ? 0 : k == 1 ? tile_count + pick(0, 3) : k == 2 ? 0xFFFF : pick(1, tile_count - 1));
  }
  uint32_t lines = PlaneLineCount(type, p.width, p.height), extent = PlaneLineExtent(p);
  bool uniform = pick(0, 2) == 0;  // one offset and wrap for all lines, or each its own
  int32_t off = RandomOffset(rng);
  uint32_t wrap = RandomWrap(rng, extent);
  for (uint32_t l = 0; l < lines; l++) {
    p.line_offsets[l] = uniform ? off : RandomOffset(rng);
    p.line_wraps[l] = uniform ? wrap : RandomWrap(rng, extent);
  }
  p.other_offset = RandomOffset(rng);
  p.other_wrap = pick(0, 5) ? pick(1, PlaneOtherExtent(p)) : RandomWrap(rng, PlaneOtherExtent(p));
}

}  // namespace tolv::test
