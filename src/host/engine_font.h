// The engine's own font, read from "default/font/editor.def" below the base
// folder; it lives outside the game's scoped font list, so game loads and
// unloads leave it alone.
#pragma once
#include <cstdint>

#include "render/font.h"

namespace tolv {

extern Font engine_font;

// Loads the font once; false (with a message) when the engine folder lacks
// it, and the text it would draw is then left out.
bool LoadEngineFont();
void FreeEngineFont();
// A line in the engine font with its top-left pixel at (x, y) of the frame.
void DrawEngineText(const char* text, int32_t x, int32_t y);

}  // namespace tolv
