#include "host/engine_font.h"

#include <sys/stat.h>

#include <string>

#include "files/game_files.h"
#include "files/working_folder.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/text.h"

namespace tolv {

Font engine_font;

bool LoadEngineFont() {
  if (engine_font.glyphs) return true;
  std::string folder = base_folder + "/default/font", back = WorkingFolder();
  struct stat st;
  if (stat((folder + "/editor.def").c_str(), &st) != 0 || !ChangeWorkingFolder(folder.c_str())) return false;
  LoadFontDescription("editor.def", &engine_font);
  ChangeWorkingFolder(back.c_str());
  return true;
}

void FreeEngineFont() {
  if (!engine_font.glyphs) return;
  for (uint32_t g = 0; g < FontGlyphCount(engine_font.kind); g++) FreeSpriteFrame(&engine_font.glyphs[g]);
  delete[] engine_font.glyphs;
  engine_font = Font{};
}

void DrawEngineText(const char* text, int32_t x, int32_t y) {
  if (!engine_font.glyphs) return;
  const uint32_t count = FontGlyphCount(engine_font.kind);
  for (const char* p = text; *p && x < frame_width; p++) {
    uint32_t g = GlyphIndex(engine_font.kind, uint8_t(*p));
    if (g >= count) continue;
    draw_routines.draw_sprite[kDrawNormal](&engine_font.glyphs[g], 0, 0, x, y);
    x += engine_font.glyphs[g].width;
  }
}

}  // namespace tolv
