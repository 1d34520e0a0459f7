// The colours the editors draw their own marks in (cursors, block mark,
// bars): no palette entry is visible in every game, so they are the
// entries of the current palette bank that stand out most, chosen again
// whenever the palette changes.
#pragma once
#include <cstdint>

namespace tolv {

struct EditorColours {
  uint8_t light = 0;  // the brightest entry: cursors, plane boxes
  uint8_t dark = 0;   // the darkest: bars, and the rim that keeps a mark seen over light tiles
  uint8_t mark = 0;   // the entry farthest from both: the block mark
};

// For the current bank as it is now.
const EditorColours& CurrentEditorColours();

}  // namespace tolv
