// Text through the sprite slots: one glyph frame per character, each
// placed after the previous glyph's width.
#pragma once
#include <cstdint>

namespace tolv {

// Glyph of character c in a font of this kind (README, "Font description").
uint32_t GlyphIndex(uint8_t kind, uint8_t c);

// Draws a zero-terminated string in font `font` (an index of `fonts`)
// with its first glyph's top-left pixel at (x, y) on the screen; a missing
// font draws nothing. The clipped form keeps to left..right, top..bottom.
void DrawText(const char* text, int32_t x, int32_t y, int32_t font);
// The same with a font record of its own (the engine's, outside `fonts`).
struct Font;
void DrawFontText(const char* text, int32_t x, int32_t y, const Font* font);
void DrawTextClipped(const char* text, int32_t x, int32_t y, int32_t font, int32_t left, int32_t right,
                     int32_t top, int32_t bottom);

}  // namespace tolv
