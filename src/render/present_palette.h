// What presentation uses of the palette banks, which the palette module
// owns: the current bank's colours in the surface's pixel format, the bank
// switch, and the format those colours are packed for.
#pragma once
#include <cstdint>

#include "base/pixel_format.h"

namespace tolv {

extern const uint32_t* colour_lookup;  // 256 colours of the current bank
void SelectPaletteBank(int bank);
// Repacks both banks' colours for this format.
void SetPalettePixelFormat(const PixelFormat& format);

}  // namespace tolv
