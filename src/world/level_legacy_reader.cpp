// Level versions 0, 1 and 255: fixed plane sets whose two-byte numbers are
// first byte x 254 + second byte, maps stored column by column, and scroll
// factors in an older unit that is converted on reading.
#include <algorithm>

#include "world/level_parse.h"

namespace tolv {

constexpr uint32_t kMinLegacyWidth = 41;
constexpr uint32_t kMinLegacyHeight = 26;
constexpr uint8_t kDefaultLegacyFactor = 6;

static uint32_t N254(ByteReader& r) {
  const uint32_t high = r.U8();
  return high * 254 + r.U8();
}

// Row factors were 24ths of the camera movement (above 24: drifting).
static uint8_t RowFactor(uint8_t f) {
  if (f == 0) return 0;
  if (f <= 24) return static_cast<uint8_t>(f * 64 / 24);
  return static_cast<uint8_t>((f - 24) * 64 / 24 + 128);
}

// Other-axis factors were divisors of the camera movement.
static uint8_t OtherFactor(uint8_t g) { return g ? static_cast<uint8_t>(64 / g) : 0; }

// Cells (x, y) for x below w and y below h, column by column; the bytes
// are checked first so a short file allocates nothing large.
static bool ReadColumns(ByteReader& r, TilePlane& p, uint32_t w, uint32_t h) {
  if (!r.CanHold(uint64_t(w) * h, 2)) return false;
  for (uint32_t x = 0; x < w; x++)
    for (uint32_t y = 0; y < h; y++) p.map[size_t(p.width) * y + x] = static_cast<uint16_t>(N254(r));
  return true;
}

// An H Tiled plane of at least 41 x 26 and its stored cells; its scroll
// data comes later in the file. *file_h is the stored height.
static TilePlane* ReadTiledPlane(ByteReader& r, ParsedLevel& level, uint32_t* file_h) {
  const uint32_t w = N254(r), h = N254(r);
  *file_h = h;
  if (!r.CanHold(uint64_t(w) * h, 2)) return nullptr;
  TilePlane* p = level.planes.Add(kPlaneHTiled, std::max(w, kMinLegacyWidth), std::max(h, kMinLegacyHeight));
  return p && ReadColumns(r, *p, w, h) ? p : nullptr;
}

// Per row a factor and a wrap (rows past the stored height: factor 6,
// whole width), then the other axis; a stored other wrap of 0 means
// zero_other_wrap.
static void ReadTiledLines(ByteReader& r, TilePlane& p, uint32_t file_h, uint32_t zero_other_wrap) {
  for (uint32_t y = 0; y < p.height; y++) {
    p.line_factors[y] = y < file_h ? RowFactor(r.U8()) : kDefaultLegacyFactor;
    p.line_wraps[y] = y < file_h ? FileWrap(N254(r), p.width) : p.width;
  }
  p.other_factor = OtherFactor(r.U8());
  const uint32_t other = N254(r);
  p.other_wrap = FileWrap(other ? other : zero_other_wrap, p.height);
  p.cell_count = p.other_wrap * p.width;
}

// A Flat plane one zero row taller than stored, its cells over the stored
// size only. *file_w is the stored width (0 gives a plane 1 wide).
static TilePlane* ReadFlatPlane(ByteReader& r, ParsedLevel& level, uint32_t* file_w) {
  const uint32_t w = N254(r), h = N254(r);
  *file_w = w;
  if (!r.CanHold(uint64_t(w) * h, 2)) return nullptr;
  TilePlane* p = level.planes.Add(kPlaneFlat, w, h + 1);
  if (!p || !ReadColumns(r, *p, w, h)) return nullptr;
  p->cell_count = p->width * h;
  return p;
}

// A Flat plane the size of base, whose cells are read over base's stored
// width and `rows` rows, each taken from the file only inside its own
// stored size. rows may reach into the spare row.
static TilePlane* ReadOverlayPlane(ByteReader& r, ParsedLevel& level, size_t base, uint32_t base_file_w,
                                   uint32_t rows) {
  const uint32_t w = N254(r), h = N254(r);
  const uint32_t read_w = std::min(w, base_file_w), read_h = std::min(h, rows);
  if (!r.CanHold(uint64_t(read_w) * read_h, 2)) return nullptr;
  const uint32_t width = level.planes.planes[base].width, height = level.planes.planes[base].height;
  TilePlane* p = level.planes.Add(kPlaneFlat, width, height);
  if (!p) return nullptr;
  for (uint32_t x = 0; x < read_w; x++)
    for (uint32_t y = 0; y < read_h; y++) p->map[size_t(width) * y + x] = static_cast<uint16_t>(N254(r));
  p->cell_count = width * (height - 1);
  return p;
}

static void TakeSize(ParsedLevel& level, size_t plane) {
  level.width = level.planes.planes[plane].width;
  level.height = level.planes.planes[plane].height;
}

// Versions 255 and 1: two H Tiled planes, a Flat plane and a Flat plane
// over it; version 1 reads the last plane one row further.
static bool ReadFourPlanes(ByteReader& r, ParsedLevel& level, bool extra_row) {
  level.planes.planes.reserve(4);
  for (int i = 0; i < 2; i++) {
    uint32_t file_h = 0;
    TilePlane* p = ReadTiledPlane(r, level, &file_h);
    if (!p) return false;
    ReadTiledLines(r, *p, file_h, p->height - 2);
  }
  uint32_t file_w = 0;
  TilePlane* flat = ReadFlatPlane(r, level, &file_w);
  if (!flat) return false;
  const uint32_t rows = flat->height + (extra_row ? 1 : 0);
  if (!ReadOverlayPlane(r, level, 2, file_w, rows)) return false;
  level.water_line = static_cast<int32_t>(N254(r));
  TakeSize(level, 2);
  return !r.failed;
}

bool ReadLevelVersion255(ByteReader& r, ParsedLevel& level) { return ReadFourPlanes(r, level, false); }
bool ReadLevelVersion1(ByteReader& r, ParsedLevel& level) { return ReadFourPlanes(r, level, true); }

// Version 0 (and any file without the magic): plane 1 is read first, then
// plane 0's map, plane 2 over plane 1, the water line, and plane 0's
// scroll data last.
bool ReadLevelVersion0(ByteReader& r, ParsedLevel& level) {
  PlaneList& list = level.planes;
  list.planes.reserve(3);
  uint32_t file_w = 0, file_h = 0;
  if (!ReadFlatPlane(r, level, &file_w)) return false;
  if (!ReadTiledPlane(r, level, &file_h)) return false;
  const uint32_t rows = list.planes[0].height + 1;
  if (!ReadOverlayPlane(r, level, 0, file_w, rows)) return false;
  level.water_line = static_cast<int32_t>(N254(r));
  TilePlane& tiled = list.planes[1];
  ReadTiledLines(r, tiled, file_h, tiled.height);
  // Stored order is plane 1, plane 0, plane 2.
  std::swap(list.planes[0], list.planes[1]);
  TakeSize(level, 1);
  return !r.failed;
}

}  // namespace tolv
