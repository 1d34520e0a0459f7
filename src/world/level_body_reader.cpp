// Level versions 2 and 3: each plane's type, size, scroll data, flags and
// map, the map row by row (version 3 run-length coded), then the water
// line. Planes smaller than 80 x 60 are enlarged with tile 0 and default
// lines.
#include <algorithm>

#include "world/level_parse.h"

namespace tolv {

constexpr uint32_t kMinWidth = 80;
constexpr uint32_t kMinHeight = 60;
constexpr uint32_t kLongestRun = 32769;

// Lines the file stores for a plane of its own size W x H: none for Flat
// and unknown types, which have no scroll data at all.
static uint32_t StoredLines(uint8_t type, uint32_t w, uint32_t h) {
  if (type == kPlaneFlat || type > kPlaneVLined) return 0;
  return PlaneLineCount(type, w, h);
}

// The fewest bytes the rest of a plane can take: scroll data, flags and a
// map of w x h cells (plain, or in the longest runs).
static uint64_t LeastPlaneBytes(uint8_t type, uint64_t w, uint64_t h, bool run_length) {
  const uint64_t lines = StoredLines(type, uint32_t(w), uint32_t(h));
  const uint64_t scroll = lines ? lines * 3 + 3 : (type == kPlaneFlat || type > kPlaneVLined ? 0 : 3);
  const uint64_t cells = w * h;
  return scroll + 2 + (run_length ? (cells + kLongestRun - 1) / kLongestRun * 2 : cells * 2);
}

static void ReadScrollData(ByteReader& r, TilePlane& p, uint32_t stored_lines) {
  const uint32_t extent = PlaneLineExtent(p);
  for (uint32_t i = 0; i < stored_lines; i++) {
    p.line_wraps[i] = FileWrap(r.U16(), extent);
    p.line_factors[i] = r.U8();
  }
  p.other_wrap = FileWrap(r.U16(), PlaneOtherExtent(p));
  p.other_factor = r.U8();
  // Row-split planes take their cells from the other axis' wrap.
  if (!PlaneSplitsColumns(p.type)) p.cell_count = p.other_wrap * p.width;
}

static void ReadPlainMap(ByteReader& r, TilePlane& p, uint32_t w, uint32_t h) {
  if (!r.Need(uint64_t(w) * h * 2)) return;
  const uint8_t* b = r.data + r.pos;
  for (uint32_t y = 0; y < h; y++) {
    uint16_t* row = p.map + p.row_starts[y];
    for (uint32_t x = 0; x < w; x++, b += 2) row[x] = static_cast<uint16_t>(b[0] << 8 | b[1]);
  }
  r.pos += size_t(w) * h * 2;
}

// A run carries across row ends but never into the next plane.
static void ReadRunMap(ByteReader& r, TilePlane& p, uint32_t w, uint32_t h) {
  const uint8_t* b = r.data + r.pos;
  const uint8_t* const end = r.data + r.size;
  uint32_t pending = 0;
  uint16_t value = 0;
  for (uint32_t y = 0; y < h; y++) {
    uint16_t* row = p.map + p.row_starts[y];
    for (uint32_t x = 0; x < w;) {
      if (pending) {
        const uint32_t n = std::min(pending, w - x);
        std::fill_n(row + x, n, value);
        pending -= n;
        x += n;
        continue;
      }
      if (end - b < ((b < end && (b[0] & 0x80)) ? 4 : 2)) {
        r.Need(r.Left() + 1);  // cut short: marks the read failed
        return;
      }
      const uint16_t word = static_cast<uint16_t>(b[0] << 8 | b[1]);
      b += 2;
      if (word & 0x8000) {
        pending = (word & 0x7FFFu) + 1;
        value = static_cast<uint16_t>(b[0] << 8 | b[1]);
        b += 2;
        row[x++] = value;
      } else {
        row[x++] = word;
      }
    }
  }
  r.pos = static_cast<size_t>(b - r.data);
}

static bool ReadPlane(ByteReader& r, bool run_length, ParsedLevel& level) {
  const uint8_t type = r.U8();
  const uint32_t w = r.U32(), h = r.U32();
  if (r.failed || w > kMaxPlaneSide || h > kMaxPlaneSide) return false;
  if (LeastPlaneBytes(type, w, h, run_length) > r.Left()) return false;
  TilePlane* p = level.planes.Add(type, std::max(w, kMinWidth), std::max(h, kMinHeight));
  if (!p) return false;
  if (type == kPlaneFlat) {
    level.width = std::max(level.width, w);
    level.height = std::max(level.height, h);
  } else if (type <= kPlaneVLined) {
    ReadScrollData(r, *p, StoredLines(type, w, h));
  }
  p->flags = r.U16();
  (run_length ? ReadRunMap : ReadPlainMap)(r, *p, w, h);
  return !r.failed;
}

bool ReadLevelBody(ByteReader& r, bool run_length, ParsedLevel& level) {
  const uint32_t count = r.U8();
  level.planes.planes.reserve(count);
  for (uint32_t i = 0; i < count; i++)
    if (!ReadPlane(r, run_length, level)) return false;
  level.water_line = r.U16();
  return !r.failed;
}

}  // namespace tolv
