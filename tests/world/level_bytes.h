// Level files built byte by byte from the format, and what a test compares
// of a level: its model and whether every plane is safe to read.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "script/operands.h"
#include "script/registers.h"
#include "world/level.h"

namespace tolv::test {

struct Bytes {
  std::vector<uint8_t> b;
  Bytes& U8(uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Bytes& U16(uint32_t v) { return U8(v >> 8).U8(v); }
  Bytes& U32(uint32_t v) { return U16(v >> 16).U16(v); }
  // The legacy versions' two-byte numbers: first x 254 + second.
  Bytes& N254(uint32_t v) { return U8(v / 254).U8(v % 254); }
  Bytes& Head(uint8_t version, uint8_t planes) { return U8('S').U8('L').U8('E').U8('V').U8(version).U8(planes); }
  Bytes& Plane(uint8_t type, uint32_t w, uint32_t h) { return U8(type).U32(w).U32(h); }
  Bytes& Run(uint32_t cells, uint16_t id) { return U16(0x8000 | (cells - 2)).U16(id); }
};

struct PlaneModel {
  uint8_t type, view0, view1;
  uint32_t width, height, cell_count;
  uint16_t flags, function;
  std::vector<uint16_t> cells;  // width x height, row by row
  std::vector<uint32_t> wraps;
  std::vector<uint8_t> factors;
  uint32_t other_wrap;
  uint8_t other_factor;
  bool operator==(const PlaneModel&) const = default;
};

struct LevelModel {
  std::vector<PlaneModel> planes;
  uint32_t width, height;
  int32_t water;
  std::vector<int32_t> limits;  // registers 23 to 38
  bool operator==(const LevelModel&) const = default;
};

inline PlaneModel Snapshot(const TilePlane& p) {
  const uint32_t lines = PlaneLineCount(p.type, p.width, p.height);
  return {p.type, p.active_view0, p.active_view1, p.width, p.height, p.cell_count, p.flags, p.plane_function,
          {p.map, p.map + size_t(p.width) * p.height}, {p.line_wraps, p.line_wraps + lines},
          {p.line_factors, p.line_factors + lines}, p.other_wrap, p.other_factor};
}

inline LevelModel Model() {
  LevelModel m{{}, level_width, level_height, registers[kRegWaterLine], {registers + 23, registers + 39}};
  for (uint32_t i = 0; i < plane_count; i++) m.planes.push_back(Snapshot(planes[i]));
  return m;
}

// The first thing that would let a drawer or sensor read outside a plane's
// arrays; "" when there is none.
inline std::string LevelFault() {
  for (uint32_t i = 0; i < plane_count; i++) {
    const TilePlane& p = planes[i];
    const std::string at = "plane " + std::to_string(i) + ": ";
    if (!p.map || !p.row_starts || !p.line_wraps || !p.line_offsets || !p.line_factors) return at + "array missing";
    if (p.width < 1 || p.height < 1 || p.width > kMaxPlaneSide || p.height > kMaxPlaneSide) return at + "size";
    if (p.cell_count > p.width * p.height) return at + "cell count";
    for (uint32_t y = 0; y < p.height; y++)
      if (p.row_starts[y] != p.width * y) return at + "row start";
    for (uint32_t k = 0; k < PlaneLineCount(p.type, p.width, p.height); k++)
      if (p.line_wraps[k] < 1 || p.line_wraps[k] > PlaneLineExtent(p)) return at + "line wrap";
    if (p.other_wrap < 1 || p.other_wrap > PlaneOtherExtent(p)) return at + "other wrap";
    if (p.map[PlaneMapCells(p.width, p.height) - 1] != 0) return at + "extra cell";
  }
  return "";
}

}  // namespace tolv::test
