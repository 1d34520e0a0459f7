// Writing a level: version 3 with run-length coded maps, or version 2 when
// a tile id would collide with the run marker.
#include <algorithm>

#include "world/level.h"
#include "world/level_file.h"

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kLongestRun = 32769;
constexpr uint16_t kRunMarker = 0x8000;

// Cells (x, y) inside width x height, row after row; the spare row is not
// stored.
static const uint16_t* Cells(const TilePlane& p, size_t* n) {
  *n = size_t(p.width) * p.height;
  return p.map;
}

static bool FitsRunCoding() {
  for (uint32_t i = 0; i < plane_count; i++) {
    size_t n;
    const uint16_t* c = Cells(planes[i], &n);
    for (size_t k = 0; k < n; k++)
      if (c[k] & kRunMarker) return false;
  }
  return true;
}

static void WriteScrollData(ByteWriter& w, const TilePlane& p) {
  if (p.type == kPlaneFlat || p.type > kPlaneVLined) return;
  const uint32_t lines = PlaneLineCount(p.type, p.width, p.height);
  for (uint32_t i = 0; i < lines; i++) {
    w.U16(p.line_wraps[i]);
    w.U8(p.line_factors[i]);
  }
  w.U16(p.other_wrap);
  w.U8(p.other_factor);
}

// n bytes appended to w, to be filled through the pointer.
static uint8_t* Grow(ByteWriter& w, size_t n) {
  const size_t at = w.bytes.size();
  w.bytes.resize(at + n);
  return w.bytes.data() + at;
}

static void Put16(uint8_t*& b, uint32_t v) {
  b[0] = static_cast<uint8_t>(v >> 8);
  b[1] = static_cast<uint8_t>(v);
  b += 2;
}

// Runs of equal cells, across row ends; 1 or 2 cells go plain. Never
// longer than the plain map, whose size is reserved first.
static void WriteRunMap(ByteWriter& w, const TilePlane& p) {
  size_t n;
  const uint16_t* c = Cells(p, &n);
  uint8_t* b = Grow(w, n * 2);
  for (size_t i = 0; i < n;) {
    const size_t limit = std::min(n, i + kLongestRun);
    size_t j = i + 1;
    while (j < limit && c[j] == c[i]) j++;
    if (j - i <= 2) {
      for (size_t k = i; k < j; k++) Put16(b, c[i]);
    } else {
      Put16(b, kRunMarker | uint32_t(j - i - 2));
      Put16(b, c[i]);
    }
    i = j;
  }
  w.bytes.resize(static_cast<size_t>(b - w.bytes.data()));
}

static void WritePlainMap(ByteWriter& w, const TilePlane& p) {
  size_t n;
  const uint16_t* c = Cells(p, &n);
  uint8_t* b = Grow(w, n * 2);
  for (size_t k = 0; k < n; k++) Put16(b, c[k]);
}

// Bytes the level takes at most: every map written plain.
static size_t MostBytes() {
  size_t n = 16;
  for (uint32_t i = 0; i < plane_count; i++) {
    const TilePlane& p = planes[i];
    n += 16 + size_t(PlaneLineCount(p.type, p.width, p.height)) * 3 + size_t(p.width) * p.height * 2;
  }
  return n;
}

uint8_t WriteLevelData(ByteWriter& w, bool embedded) {
  const uint8_t version = FitsRunCoding() ? 3 : 2;
  w.bytes.reserve(w.bytes.size() + MostBytes());
  if (!embedded) w.Bytes("SLEV", 4);
  w.U8(version);
  w.U8(plane_count);
  for (uint32_t i = 0; i < plane_count; i++) {
    const TilePlane& p = planes[i];
    w.U8(p.type);
    w.U32(p.width);
    w.U32(p.height);
    WriteScrollData(w, p);
    w.U16(p.flags);
    (version == 3 ? WriteRunMap : WritePlainMap)(w, p);
  }
  w.U16(static_cast<uint32_t>(Reg(kRegWaterLine)));
  return version;
}

}  // namespace tolv
