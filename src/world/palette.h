// Palette banks and palette sets. Two banks of 256 RGB entries, each also
// kept packed in the window surface's pixel format for the presenters;
// palette sets are the colour rows a tile-set file stores, of which each
// bank shows one (registers 51-53). The colour effects that step through
// the rows belong to the renderer; this is their data.
#pragma once
#include <cstdint>
#include <vector>

#include "base/pixel_format.h"

namespace tolv {

struct PaletteColour {
  uint8_t red = 0, green = 0, blue = 0;
  uint8_t hold = 0;  // frames this colour is held when the row cycles
};

struct PaletteRow {
  std::vector<PaletteColour> colours;  // at most 255
  uint8_t hold_counter = 0;
  uint8_t current = 0;  // index into colours
  uint8_t cycle_range = 0;
  uint8_t cycle_delay = 0;
  uint8_t cycle_counter = 0;
};

struct PaletteSet {
  std::vector<PaletteRow> rows;  // at most 255; row i drives entry PaletteRowEntry(i)
  uint8_t water = 0;             // 1: a water palette
  uint8_t tint_red = 0, tint_green = 0, tint_blue = 0;
};

extern std::vector<PaletteSet> palette_sets;  // at most 255 sets
inline uint32_t palette_set_count() { return static_cast<uint32_t>(palette_sets.size()); }

struct PaletteBank {
  uint8_t rgb[256][3] = {};   // the live colours
  uint32_t packed[256] = {};  // rgb in the surface's pixel format
  // Red, green and blue each entry was last given: what effects that tint
  // or fade the live colours work from.
  uint8_t base[3][256] = {};
};

extern PaletteBank palette_banks[2];
extern uint8_t current_palette_bank;
extern const uint32_t* colour_lookup;  // packed colours of the current bank
// Grows with every change to either bank's colours: what is derived from
// the colours is worked out again only when it moved.
extern uint32_t palette_changes;
// Three per-entry byte tables of the palette effects. Nothing draws with
// them yet; a saved state keeps them.
extern uint8_t palette_effect_tables[3][256];

// Palette entry a set's row drives: rows 0-63 entries 0-63, rows 64-191
// entries 128-255; -1 for rows past that.
inline int PaletteRowEntry(uint32_t row) { return row < 64 ? int(row) : row < 192 ? int(row + 64) : -1; }

// The surface format the packed colours use; repacks both banks.
void SetPalettePixelFormat(const PixelFormat& format);
// Entry index (0-255, others ignored) of the current bank := rgb[0..2],
// live and base colour alike.
void SetPaletteEntry(uint32_t index, const uint8_t* rgb);
// The same with a base colour of its own (a saved state's entry).
void RestorePaletteEntry(uint32_t index, const uint8_t* rgb, const uint8_t* base);
// Makes bank (0 or 1) current; register 51 := register 52 + bank.
void SelectPaletteBank(int32_t bank);
// Makes set the current bank's palette set (registers 51 and 52 + bank).
void SelectPaletteSet(int32_t set);
// Puts each row's current colour of the palette set register 51 names into
// the current bank; a set that does not exist changes nothing.
void LoadPaletteSet();
// Loads both banks' palette sets; register 1 and the current bank end as
// they began.
void ReloadPaletteBanks();
// Both banks black, the effect tables cleared, bank 0 current.
void ResetPaletteBanks();
// One set of 64 black rows, water on, tint (0, 0, 12); entries 0-63 black.
void ResetPaletteSets();

}  // namespace tolv
