// The "STIL" writer: always version 4, colours as held (0-255). Counts are
// cut to their field widths together with what they count, so the file
// always reads back.
#include <algorithm>

#include "world/tile_file.h"

namespace tolv {

static void WriteTile(ByteWriter& w, const Tile& t) {
  w.U8(t.angle);
  w.U8(t.floor);
  w.U8(t.frame_store ? t.frame_count : 0);
  w.U8(t.delays ? t.delay_count : 0);
  if (t.delays) w.Bytes(t.delays, t.delay_count);
  if (t.frame_store) w.Bytes(t.frame_store, size_t{t.frame_count} * 64);
}

static void WritePaletteSet(ByteWriter& w, const PaletteSet& set) {
  const size_t rows = std::min<size_t>(set.rows.size(), 255);
  w.U8(set.water);
  w.U8(static_cast<uint32_t>(rows));
  for (size_t i = 0; i < rows; i++) {
    const PaletteRow& row = set.rows[i];
    const size_t n = std::min<size_t>(row.colours.size(), 255);
    w.U8(static_cast<uint32_t>(n));
    for (size_t k = 0; k < n; k++) {
      const PaletteColour& c = row.colours[k];
      w.U8(c.red);
      w.U8(c.green);
      w.U8(c.blue);
      w.U8(c.hold);
    }
    w.U8(row.cycle_range);
    w.U8(row.cycle_delay);
  }
  w.U8(set.tint_red);
  w.U8(set.tint_green);
  w.U8(set.tint_blue);
}

// Width and height are stored in 16 bits; the ids written are the ones
// those sizes count.
static void WriteStamp(ByteWriter& w, const Stamp& s) {
  const uint32_t width = s.width & 0xFFFF, height = s.height & 0xFFFF;
  w.U16(width);
  w.U16(height);
  const size_t n = size_t{width} * height;
  for (size_t i = 0; i < n; i++) w.U16(i < s.ids.size() ? s.ids[i] : 0);
}

void WriteTileData(ByteWriter& w, bool embedded) {
  if (!embedded) w.Bytes("STIL", 4);
  w.U8(kTileVersion);
  w.U16(tile_count);
  for (uint32_t i = 0; i < tile_count; i++) WriteTile(w, tiles[i]);
  for (uint32_t i = 0; i < tile_count; i++) w.Bytes(tiles[i].collision, 64);
  const size_t sets = std::min<size_t>(palette_sets.size(), 255);
  w.U8(static_cast<uint32_t>(sets));
  for (size_t i = 0; i < sets; i++) WritePaletteSet(w, palette_sets[i]);
  const size_t lists = std::min<size_t>(stamp_lists.size(), 0xFFFF);
  w.U16(static_cast<uint32_t>(lists));
  for (size_t l = 0; l < lists; l++) {
    const StampList& list = stamp_lists[l];
    const size_t count = std::min<size_t>(list.size(), 0xFFFF);
    w.U16(static_cast<uint32_t>(count));
    for (size_t k = 0; k < count; k++) WriteStamp(w, list[k]);
  }
}

}  // namespace tolv
