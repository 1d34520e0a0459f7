#include "render/palette_effects.h"

#include "script/operands.h"
#include "world/palette.h"

namespace tolv {

void RunPaletteEffects() {
  int32_t set = registers && register_count > 51 ? registers[51] : -1;
  if (set < 0 || uint32_t(set) >= palette_set_count()) return;
  std::vector<PaletteRow>& rows = palette_sets[size_t(set)].rows;
  for (uint32_t i = 0; i < rows.size(); i++) {
    PaletteRow& row = rows[i];
    size_t n = row.colours.size();
    if (n < 2) continue;
    if (row.current >= n) row.current = 0;
    if (++row.hold_counter < row.colours[row.current].hold) continue;
    row.hold_counter = 0;
    row.current = uint8_t((row.current + 1) % n);
    const PaletteColour& c = row.colours[row.current];
    const uint8_t rgb[3] = {c.red, c.green, c.blue};
    if (int entry = PaletteRowEntry(i); entry >= 0) SetPaletteEntry(uint32_t(entry), rgb);
  }
}

}  // namespace tolv
