// The engine's own font, read from "default/font/editor.def" below the base
// folder; it lives outside the game's scoped font list, so game loads and
// unloads leave it alone.
#pragma once
#include "render/font.h"

namespace tolv {

extern Font engine_font;

// Loads the font once; false (with a message) when the engine folder lacks
// it, and the text it would draw is then left out.
bool LoadEngineFont();
void FreeEngineFont();

}  // namespace tolv
