// Palette effects of the game frame: the row colour cycling of the
// current palette bank's palette set.
#pragma once

namespace tolv {

// One step: each row of the palette set register 51 names that has more
// than one colour shows its current colour for that colour's hold frames
// (0 counts as 1), then moves to the next, back to the first after the
// last, and puts it into the row's palette entry of the current bank.
void RunPaletteEffects();

}  // namespace tolv
