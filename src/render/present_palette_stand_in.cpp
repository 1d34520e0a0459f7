// Stand-in until the palette module lands: two banks of packed colours,
// nothing else.
#include "render/present_palette.h"

namespace tolv {

static uint32_t stand_in_banks[2][256];
const uint32_t* colour_lookup = stand_in_banks[0];

void SelectPaletteBank(int bank) { colour_lookup = stand_in_banks[bank == 1]; }
void SetPalettePixelFormat(const PixelFormat&) {}

}  // namespace tolv
