// The "STIL" readers: versions 1-4 share one body, version 0 (also any
// file without the magic) is laid out apart. Every count is checked
// against the bytes left before anything is allocated from it.
#include <cstdlib>
#include <cstring>
#include <new>

#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_file.h"

namespace tolv {

namespace {

// Version-1 and version-0 angle codes 1-20; codes 0 and above 20 are angles.
constexpr uint8_t kVersion1Angles[21] = {0,   24,  32,  44,  52,  60,  255, 239, 223, 208, 192,
                                         128, 144, 159, 175, 191, 127, 111, 95,  80,  64};
constexpr uint8_t kVersion0Angles[21] = {0,   1,   16,  31,  47,  63,  255, 239, 223, 208, 192,
                                         128, 144, 159, 175, 191, 127, 111, 95,  80,  64};

uint8_t Angle(const uint8_t (&table)[21], uint8_t code) { return code <= 20 ? table[code] : code; }

uint8_t* Take(ByteReader& r, size_t n) {
  if (n == 0 || !r.Need(n)) return nullptr;
  uint8_t* p = static_cast<uint8_t*>(std::malloc(n));
  if (!p) throw std::bad_alloc();
  r.Bytes(p, n);
  return p;
}

// angle, floor, frame count, delay count, delays, frames.
bool ReadTile(ByteReader& r, Tile& t, const uint8_t (*angles)[21]) {
  uint8_t code = r.U8();
  t.angle = angles ? Angle(*angles, code) : code;
  t.floor = r.U8();
  t.frame_count = r.U8();
  t.delay_count = r.U8();
  if (!r.CanHold(t.delay_count + uint64_t{t.frame_count} * 64, 1)) return false;
  t.delays = Take(r, t.delay_count);
  t.frame_store = Take(r, size_t{t.frame_count} * 64);
  t.current_frame = t.frame_store ? t.frame_store : kBlankTileFrame;
  // No colour-0 pixel in any frame; a tile without frames has none either.
  t.opaque = !t.frame_count || !std::memchr(t.frame_store, 0, size_t{t.frame_count} * 64);
  return !r.failed;
}

uint8_t Component(ByteReader& r, bool six_bit) {
  uint8_t v = r.U8();
  return six_bit ? static_cast<uint8_t>(v * 4) : v;
}

bool ReadRow(ByteReader& r, PaletteRow& row, bool six_bit) {
  uint8_t k = r.U8();
  if (!r.CanHold(k, 4)) return false;
  row.colours.resize(k);
  for (PaletteColour& c : row.colours) {
    c.red = Component(r, six_bit);
    c.green = Component(r, six_bit);
    c.blue = Component(r, six_bit);
    c.hold = r.U8();
  }
  row.cycle_range = r.U8();
  row.cycle_delay = r.U8();
  return !r.failed;
}

// rows (each at least count, range, delay), then the tint.
bool ReadRowsAndTint(ByteReader& r, PaletteSet& set, uint32_t rows, bool six_bit) {
  if (!r.CanHold(rows, 3)) return false;
  set.rows.resize(rows);
  for (PaletteRow& row : set.rows)
    if (!ReadRow(r, row, six_bit)) return false;
  set.tint_red = Component(r, six_bit);
  set.tint_green = Component(r, six_bit);
  set.tint_blue = Component(r, six_bit);
  return !r.failed;
}

bool ReadStamps(ByteReader& r, std::vector<StampList>& lists) {
  uint16_t n = r.U16();
  if (!r.CanHold(n, 2)) return false;
  lists.resize(n);
  for (StampList& list : lists) {
    uint16_t count = r.U16();
    if (!r.CanHold(count, 4)) return false;
    list.resize(count);
    for (Stamp& s : list) {
      s.width = r.U16();
      s.height = r.U16();
      if (!r.CanHold(uint64_t{s.width} * s.height, 2)) return false;
      s.ids.resize(size_t{s.width} * s.height);
      for (uint16_t& id : s.ids) id = r.U16();
    }
  }
  return !r.failed;
}

// Versions 1-4: tiles, their collision maps, palette sets, stamps.
bool ReadBody(ByteReader& r, int version, StagedTileSet& out) {
  uint16_t n = r.U16();
  if (!r.CanHold(n, 4 + 64)) return false;
  out.tiles.resize(n);
  for (Tile& t : out.tiles)
    if (!ReadTile(r, t, version == 1 ? &kVersion1Angles : nullptr)) return false;
  for (Tile& t : out.tiles) r.Bytes(t.collision, sizeof t.collision);
  const bool six_bit = version < 4;
  uint8_t sets = r.U8();
  if (!r.CanHold(sets, 5)) return false;
  out.palette_sets.resize(sets);
  for (PaletteSet& set : out.palette_sets) {
    set.water = r.U8();
    if (!ReadRowsAndTint(r, set, r.U8(), six_bit)) return false;
  }
  if (version >= 3) return ReadStamps(r, out.stamp_lists);
  out.stamp_lists.assign(1, StampList{});
  return !r.failed;
}

// Version 0: 2000 tiles without collision maps, one palette set of 64 rows
// without its counts, no stamps.
bool ReadVersion0(ByteReader& r, StagedTileSet& out) {
  if (!r.CanHold(kVersion0Tiles, 4)) return false;
  out.tiles.resize(kVersion0Tiles);
  for (Tile& t : out.tiles)
    if (!ReadTile(r, t, &kVersion0Angles)) return false;
  out.palette_sets.resize(1);
  out.palette_sets[0].water = 1;
  if (!ReadRowsAndTint(r, out.palette_sets[0], 64, false)) return false;
  out.stamp_lists.assign(1, StampList{});
  return true;
}

bool HasMagic(ByteReader& r) {
  for (char c : {'S', 'T', 'I', 'L'})
    if (!r.Left() || r.U8() != static_cast<uint8_t>(c)) return false;
  return true;
}

}  // namespace

int ParseTileData(ByteReader& r, bool embedded, StagedTileSet& out) {
  const size_t start = r.pos;
  int version = 0;
  if (!embedded && !HasMagic(r)) {
    r.pos = start;  // no magic: the file is version 0 from its first byte
  } else {
    version = r.U8();
    if (r.failed) return kBadTileData;
  }
  if (version > kTileVersion) return version;
  bool ok = version == 0 ? ReadVersion0(r, out) : ReadBody(r, version, out);
  if (ok && !r.failed) return version;
  r.failed = true;
  FreeTiles(out.tiles);
  return kBadTileData;
}

// With register 7 set each row's first colour goes into the current bank
// as the file is read.
static void ApplyFirstColours(const std::vector<PaletteSet>& sets) {
  if (!Reg(kRegLevelStarted)) return;
  for (const PaletteSet& set : sets)
    for (uint32_t i = 0; i < set.rows.size(); i++) {
      int entry = PaletteRowEntry(i);
      if (entry < 0 || set.rows[i].colours.empty()) continue;
      const PaletteColour& c = set.rows[i].colours[0];
      const uint8_t rgb[3] = {c.red, c.green, c.blue};
      SetPaletteEntry(static_cast<uint32_t>(entry), rgb);
    }
}

void InstallTileSet(StagedTileSet& s) {
  ReplaceTiles(s.tiles);
  ApplyFirstColours(s.palette_sets);
  palette_sets.swap(s.palette_sets);
  stamp_lists.swap(s.stamp_lists);
  if (stamp_lists.empty()) stamp_lists.emplace_back();
}

int ReadTileData(ByteReader& r, bool embedded) {
  StagedTileSet staged;
  int version = ParseTileData(r, embedded, staged);
  if (version == kBadTileData) return version;
  if (version <= kTileVersion) InstallTileSet(staged);
  ReloadPaletteBanks();
  return version;
}

}  // namespace tolv
