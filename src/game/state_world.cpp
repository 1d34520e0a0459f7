// The world in a saved state: level and tile set in their embedded forms,
// the file paths, the animation state of planes, palette rows and tiles,
// and both palette banks.
#include <cstring>

#include "game/state_sections.h"
#include "objects/object_layout.h"
#include "world/level.h"
#include "world/palette.h"
#include "world/tile.h"

namespace tolv {

bool ReadString(ByteReader& r, std::string& out) {
  const void* end = r.Left() ? std::memchr(r.data + r.pos, 0, r.Left()) : nullptr;
  if (!end) return r.Need(r.Left() + 1);  // no NUL: the state ends early
  size_t n = static_cast<const uint8_t*>(end) - (r.data + r.pos);
  out.assign(reinterpret_cast<const char*>(r.data + r.pos), n);
  return r.Skip(n + 1);
}

void WriteWorldSection(ByteWriter& w) {
  WriteString(w, level_file_path);
  WriteLevelData(w, true);
  WriteString(w, tile_file_path);
  WriteTileData(w, true);
  WriteString(w, layout_file_path);
}

bool ReadWorldSection(ByteReader& r, StagedState& s) {
  if (!ReadString(r, s.level_path) || ParseLevelData(r, true, s.level) != kLevelRead) return false;
  if (!ReadString(r, s.tile_path)) return false;
  int version = ParseTileData(r, true, s.tiles);
  return version >= 0 && version <= kTileVersion && ReadString(r, s.layout_path);
}

void WriteAnimationSection(ByteWriter& w) {
  for (uint32_t i = 0; i < plane_count; i++) {
    w.U8(planes[i].active_view0);
    w.U8(planes[i].active_view1);
    w.U16(planes[i].plane_function);
  }
  w.U8(palette_set_count());
  for (const PaletteSet& set : palette_sets)
    for (const PaletteRow& row : set.rows) {
      w.U8(row.hold_counter);
      w.U8(row.current);
      w.U8(row.cycle_counter);
    }
  w.U16(tile_count);
  for (uint32_t i = 0; i < tile_count; i++) {
    w.U8(tiles[i].anim_counter);
    w.U8(tiles[i].frame_index);
    w.U8(tiles[i].delay_pos);
  }
}

// Indexes past their list are damage: the frame steps index with them.
static bool ReadTileAnimation(ByteReader& r, Tile& t) {
  t.anim_counter = r.U8();
  t.frame_index = r.U8();
  t.delay_pos = r.U8();
  if (t.frame_index >= (t.frame_count ? t.frame_count : 1) || t.delay_pos >= (t.delay_count ? t.delay_count : 1))
    return false;
  if (t.frame_count) t.current_frame = t.frame_store + 64 * t.frame_index;
  return true;
}

bool ReadAnimationSection(ByteReader& r, StagedState& s) {
  for (TilePlane& p : s.level.planes.planes) {
    p.active_view0 = r.U8();
    p.active_view1 = r.U8();
    p.plane_function = r.U16();
  }
  if (r.U8() != s.tiles.palette_sets.size()) return false;
  for (PaletteSet& set : s.tiles.palette_sets)
    for (PaletteRow& row : set.rows) {
      row.hold_counter = r.U8();
      row.current = r.U8();
      row.cycle_counter = r.U8();
      if (row.current >= (row.colours.empty() ? 1 : row.colours.size())) return false;
    }
  if (r.U16() != s.tiles.tiles.size()) return false;
  for (Tile& t : s.tiles.tiles)
    if (!ReadTileAnimation(r, t)) return false;
  return !r.failed;
}

// The live colour's bytes go red, blue, green.
constexpr int kLiveOrder[3] = {0, 2, 1};

void WritePaletteSection(ByteWriter& w) {
  for (uint32_t i = 0; i < 256; i++)
    for (const auto& table : palette_effect_tables) w.U8(table[i]);
  for (const PaletteBank& bank : palette_banks)
    for (uint32_t i = 0; i < 256; i++) {
      for (int c : kLiveOrder) w.U8(bank.rgb[i][c]);
      for (const auto& channel : bank.base) w.U8(channel[i]);
    }
}

bool ReadPaletteSection(ByteReader& r, StagedState& s) {
  for (uint32_t i = 0; i < 256; i++)
    for (auto& table : s.effect_tables) table[i] = r.U8();
  for (int b = 0; b < 2; b++)
    for (uint32_t i = 0; i < 256; i++) {
      for (int c : kLiveOrder) s.live[b][i][c] = r.U8();
      for (int c = 0; c < 3; c++) s.base[b][i][c] = r.U8();
    }
  return !r.failed;
}

void InstallWorld(StagedState& s) {
  InstallLevel(s.level);
  InstallTileSet(s.tiles);
  level_file_path = s.level_path;
  tile_file_path = s.tile_path;
  layout_file_path = s.layout_path;
  const uint8_t bank = current_palette_bank;
  std::memcpy(palette_effect_tables, s.effect_tables, sizeof palette_effect_tables);
  for (int b = 0; b < 2; b++) {
    SelectPaletteBank(b);
    for (uint32_t i = 0; i < 256; i++) RestorePaletteEntry(i, s.live[b][i], s.base[b][i]);
  }
  SelectPaletteBank(bank);
}

}  // namespace tolv
