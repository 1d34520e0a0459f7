// Fonts: glyph frames cut from an image, listed per scope like every other
// scoped list (game fonts first, then the zone's, then the act's).
#pragma once
#include <cstdint>

#include "base/scope_counts.h"
#include "world/sprite_frame.h"

namespace tolv {

struct Font {
  SpriteFrame* glyphs = nullptr;  // FontGlyphCount(kind) frames
  uint8_t kind = 0;
};

constexpr uint16_t kMaxFonts = 65535;

extern Font* fonts;
extern ScopeCounts font_counts;

// Glyphs a font of this kind holds: 256, 129, 63, 37, 11, 95, 69, 17; 0 from 8 on.
uint32_t FontGlyphCount(uint8_t kind);

// The font with this id, or null.
inline const Font* FindFont(int32_t id) {
  return id >= 0 && id < font_counts.total ? &fonts[id] : nullptr;
}
// Width of glyph g of a font; 0 when the font or the glyph does not exist.
inline uint32_t GlyphWidth(const Font* f, uint32_t g) {
  return f && f->glyphs && g < FontGlyphCount(f->kind) ? f->glyphs[g].width : 0;
}

// Reads a font list of the current folder (count, then description paths,
// each read from its own folder) and appends the fonts to the scope
// (0 game, 1 zone, 2 act). A missing list is fatal.
void LoadFontList(const char* name, int scope);
// Reads one font description of the current folder into f.
void LoadFontDescription(const char* name, Font* f);

void FreeAllFonts();
void FreeZoneFonts();  // zone and act fonts
void FreeActFonts();

}  // namespace tolv
