#include "host/engine_font.h"

#include <sys/stat.h>

#include <string>

#include "base/message_log.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "render/text.h"
#include "world/sprite_frame.h"

namespace tolv {

Font engine_font;

static constexpr const char* kEngineFontFolder = "/default/font";
static constexpr const char* kEngineFontFile = "editor.def";

bool LoadEngineFont() {
  if (engine_font.glyphs) return true;
  if (!game_unpacked) return false;  // an open archive would be searched first
  const std::string folder = (base_folder.empty() ? WorkingFolder() : base_folder) + kEngineFontFolder;
  struct stat st;
  if (stat((folder + "/" + kEngineFontFile).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    ShowMessage("Engine font default/font/editor.def");
    ShowMessage("not found");
    return false;
  }
  const std::string back = WorkingFolder();
  ChangeWorkingFolder(folder.c_str());
  LoadFontDescription(kEngineFontFile, &engine_font);
  ChangeWorkingFolder(back.c_str());
  return true;
}

void FreeEngineFont() {
  if (!engine_font.glyphs) return;
  for (uint32_t g = 0; g < FontGlyphCount(engine_font.kind); g++) FreeSpriteFrame(&engine_font.glyphs[g]);
  delete[] engine_font.glyphs;
  engine_font = Font{};
}

void DrawEngineText(const char* text, int32_t x, int32_t y) { DrawFontText(text, x, y, &engine_font); }

}  // namespace tolv
