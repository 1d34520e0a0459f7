#include "world/palette.h"

#include <cstring>

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

std::vector<PaletteSet> palette_sets;
PaletteBank palette_banks[2];
uint8_t current_palette_bank = 0;
const uint32_t* colour_lookup = palette_banks[0].packed;
uint32_t palette_changes = 0;
uint8_t palette_effect_tables[3][256];

static PixelFormat palette_format;

static void Pack(PaletteBank& b, uint32_t i) {
  b.packed[i] = PackColour(palette_format, b.rgb[i][0], b.rgb[i][1], b.rgb[i][2]);
}

void SetPalettePixelFormat(const PixelFormat& format) {
  palette_format = format;
  palette_changes++;
  for (PaletteBank& b : palette_banks)
    for (uint32_t i = 0; i < 256; i++) Pack(b, i);
}

void RestorePaletteEntry(uint32_t index, const uint8_t* rgb, const uint8_t* base) {
  if (index > 255) return;
  PaletteBank& b = palette_banks[current_palette_bank];
  for (int c = 0; c < 3; c++) {
    b.rgb[index][c] = rgb[c];
    b.base[c][index] = base[c];
  }
  Pack(b, index);
  palette_changes++;
}

void SetPaletteEntry(uint32_t index, const uint8_t* rgb) { RestorePaletteEntry(index, rgb, rgb); }

void SelectPaletteBank(int32_t bank) {
  current_palette_bank = bank ? 1 : 0;
  colour_lookup = palette_banks[current_palette_bank].packed;
  Reg(kRegPaletteSet) = Reg(kRegBankPaletteSet + current_palette_bank);
}

void SelectPaletteSet(int32_t set) {
  Reg(kRegPaletteSet) = set;
  Reg(kRegBankPaletteSet + current_palette_bank) = set;
  LoadPaletteSet();
}

void LoadPaletteSet() {
  uint32_t s = static_cast<uint32_t>(Reg(kRegPaletteSet));
  if (s >= palette_set_count()) return;
  const std::vector<PaletteRow>& rows = palette_sets[s].rows;
  for (uint32_t i = 0; i < rows.size(); i++) {
    const PaletteRow& row = rows[i];
    int entry = PaletteRowEntry(i);
    if (entry < 0 || row.current >= row.colours.size()) continue;
    const PaletteColour& c = row.colours[row.current];
    const uint8_t rgb[3] = {c.red, c.green, c.blue};
    SetPaletteEntry(static_cast<uint32_t>(entry), rgb);
  }
}

void ReloadPaletteBanks() {
  const int32_t view = Reg(kRegView);
  const uint8_t bank = current_palette_bank;
  LoadPaletteSet();
  Reg(kRegView) = view ? 0 : 1;
  SelectPaletteBank(bank ^ 1);
  LoadPaletteSet();
  Reg(kRegView) = view;
  SelectPaletteBank(bank);
}

void ResetPaletteBanks() {
  for (PaletteBank& b : palette_banks) b = PaletteBank{};
  std::memset(palette_effect_tables, 0, sizeof palette_effect_tables);
  SetPalettePixelFormat(palette_format);
  SelectPaletteBank(0);
}

void ResetPaletteSets() {
  PaletteSet set;
  set.water = 1;
  set.tint_blue = 12;
  set.rows.resize(64);
  for (PaletteRow& row : set.rows) row.colours.resize(1);
  palette_sets.assign(1, set);
  const uint8_t black[3] = {0, 0, 0};
  for (uint32_t i = 0; i < 64; i++) SetPaletteEntry(i, black);
}

}  // namespace tolv
