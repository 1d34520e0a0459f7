#include "render/text.h"

#include "render/draw_routines.h"
#include <climits>

#include "render/font.h"

namespace tolv {

// Glyph 0 stands for every character a kind has no glyph of.
static uint32_t DigitOrLetter(uint8_t c, bool lower_apart) {
  if (c >= '0' && c <= '9') return 1u + (c - '0');
  if (c >= 'A' && c <= 'Z') return 11u + (c - 'A');
  if (c >= 'a' && c <= 'z') return (lower_apart ? 37u : 11u) + (c - 'a');
  return 0;
}

uint32_t GlyphIndex(uint8_t kind, uint8_t c) {
  switch (kind) {
    case 0: return c;                        // 256: every byte
    case 1: return c < 128 ? 1u + c : 0;     // 129: ASCII
    case 2: return DigitOrLetter(c, true);   // 63: digits, upper and lower case apart
    case 3: return DigitOrLetter(c, false);  // 37: digits, letters of either case
    case 4: return c >= '0' && c <= '9' ? 1u + (c - '0') : 0;  // 11: digits
    case 5: return c >= 32 && c <= 126 ? c - 32u : 0;          // 95: printable ASCII, blank first
    case 6:                                                    // 69: printable ASCII, lower case as upper
      if (c >= 'a' && c <= 'z') return c - 64u;
      if (c >= 32 && c <= 96) return c - 32u;
      return c >= 123 && c <= 126 ? c - 58u : 0;
    case 7:  // 17: hexadecimal digits
      if (c >= '0' && c <= '9') return 1u + (c - '0');
      if (c >= 'A' && c <= 'F') return 11u + (c - 'A');
      return c >= 'a' && c <= 'f' ? 11u + (c - 'a') : 0;
    default: return 0;
  }
}

template <typename Draw>
static void ForEachGlyph(const char* text, int32_t x, const Font* f, Draw draw) {
  if (!text || !f || !f->glyphs) return;
  uint32_t count = FontGlyphCount(f->kind);
  int64_t pen = x;
  for (const char* p = text; *p; p++) {
    uint32_t g = GlyphIndex(f->kind, static_cast<uint8_t>(*p));
    if (g >= count) continue;
    const SpriteFrame* glyph = &f->glyphs[g];
    draw(glyph, static_cast<int32_t>(pen));
    pen += glyph->width;
    if (pen > INT32_MAX) return;
  }
}

void DrawText(const char* text, int32_t x, int32_t y, int32_t font) { DrawFontText(text, x, y, FindFont(font)); }

void DrawFontText(const char* text, int32_t x, int32_t y, const Font* font) {
  ForEachGlyph(text, x, font, [y](const SpriteFrame* g, int32_t gx) {
    draw_routines.draw_sprite[kDrawNormal](g, 0, 0, gx, y);
  });
}

void DrawTextClipped(const char* text, int32_t x, int32_t y, int32_t font, int32_t left, int32_t right,
                     int32_t top, int32_t bottom) {
  ForEachGlyph(text, x, FindFont(font), [=](const SpriteFrame* g, int32_t gx) {
    draw_routines.draw_sprite_clipped[kDrawNormal](g, 0, 0, gx, y, left, right, top, bottom);
  });
}

}  // namespace tolv
