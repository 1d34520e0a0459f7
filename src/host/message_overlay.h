// What the host draws over every shown frame: the message log and the FPS
// figure, in the engine's editor font from "default/font".
#pragma once
#include <cstdint>

#include "render/font.h"

namespace tolv {

extern Font engine_font;  // kind 5, 8 x 8 cells; no glyphs until loaded

// Reads "default/font/editor.def" of the base folder; false (and the
// overlays draw nothing) when it is missing.
bool LoadEngineFont();
void FreeEngineFont();
// A line in the engine font with its top-left pixel at (x, y) of the frame.
void DrawEngineText(const char* text, int32_t x, int32_t y);
// The message log's lines, the newest lowest, as many as fit from the top
// of the frame; then "FPS: n" at the top right while register 248 bit 0
// is set.
void DrawHostOverlays(uint32_t fps);

}  // namespace tolv
