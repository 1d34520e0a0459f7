#include "editors/editor_colours.h"

#include "world/palette.h"

namespace tolv {

static EditorColours colours;
static uint32_t chosen_at_change = 0;
static int32_t chosen_for_bank = -1;

// Perceived brightness, x1000.
static uint32_t Brightness(const uint8_t* c) { return 299u * c[0] + 587u * c[1] + 114u * c[2]; }

static uint32_t Distance(const uint8_t* a, const uint8_t* b) {
  uint32_t d = 0;
  for (int k = 0; k < 3; k++) d += uint32_t((a[k] - b[k]) * (a[k] - b[k]));
  return d;
}

// Ties go to the lowest entry, so a choice never flickers between equals.
static void ChooseColours(const uint8_t (*rgb)[3]) {
  EditorColours c;
  for (uint32_t i = 1; i < 256; i++) {
    if (Brightness(rgb[i]) > Brightness(rgb[c.light])) c.light = uint8_t(i);
    if (Brightness(rgb[i]) < Brightness(rgb[c.dark])) c.dark = uint8_t(i);
  }
  uint32_t best = 0;
  for (uint32_t i = 0; i < 256; i++) {
    const uint32_t to_light = Distance(rgb[i], rgb[c.light]), to_dark = Distance(rgb[i], rgb[c.dark]);
    const uint32_t apart = to_light < to_dark ? to_light : to_dark;
    if (apart > best) best = apart, c.mark = uint8_t(i);
  }
  if (!best) c.mark = c.light;
  colours = c;
}

const EditorColours& CurrentEditorColours() {
  if (chosen_for_bank != current_palette_bank || chosen_at_change != palette_changes) {
    ChooseColours(palette_banks[current_palette_bank].rgb);
    chosen_for_bank = current_palette_bank;
    chosen_at_change = palette_changes;
  }
  return colours;
}

}  // namespace tolv
