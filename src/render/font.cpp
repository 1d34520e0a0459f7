// Font lists and font descriptions.
#include "render/font.h"

#include <climits>
#include <cstdlib>
#include <new>
#include <string>

#include "files/file_stream.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "render/image.h"

namespace tolv {

Font* fonts = nullptr;
ScopeCounts font_counts;

uint32_t FontGlyphCount(uint8_t kind) {
  static const uint16_t kCounts[8] = {256, 129, 63, 37, 11, 95, 69, 17};
  return kind < 8 ? kCounts[kind] : 0;
}

static int32_t NextNumber(FileStream& s) {
  ReadToken(s, text_buffer);
  return ParseNumber(text_buffer);
}

// Cell g of the image sits at column g % columns, row g / columns.
static void CutGlyphs(Font* f, int32_t w, int32_t h, int32_t columns) {
  uint32_t n = FontGlyphCount(f->kind);
  for (uint32_t g = 0; g < n; g++) {
    SpriteFrame* frame = &f->glyphs[g];
    InitSpriteFrame(frame, w, h);
    int64_t x = int64_t(g % uint32_t(columns)) * w, y = int64_t(g / uint32_t(columns)) * h;
    if (x > INT32_MAX || y > INT32_MAX) ScriptError(kCutBeyondImage);
    CutFrameFromImage(&sprite_image, frame, int32_t(x), int32_t(y));
  }
}

void LoadFontDescription(const char* name, Font* f) {
  FileStream s;
  if (!OpenStream(name, s)) ScriptErrorFormat("File \"%s\" not found", name);
  int32_t kind = NextNumber(s);
  if (kind < 0 || kind > 7) ScriptErrorFormat("Font kind %d is not one of 0 - 7", kind);
  f->kind = uint8_t(kind);
  f->glyphs = new SpriteFrame[FontGlyphCount(f->kind)];
  ReadToken(s, text_buffer);
  std::string image = text_buffer;
  int32_t w = NextNumber(s), h = NextNumber(s), columns = NextNumber(s);
  if (w < 1 || h < 1 || columns < 1 || w > 65535 || h > 65535)
    ScriptError("Font cell width, height and columns must be 1 or greater");
  if (!load_image_file(image.c_str(), &sprite_image, 0)) ScriptErrorFormat("File \"%s\" not found", image.c_str());
  CutGlyphs(f, w, h, columns);
  CloseStream(s);
}

// The folder to come back to: where the list was read, as a game path.
static std::string CurrentGameFolder() {
  std::string here = GetGameRelativeFolder();
  return here.empty() || here[0] != '/' ? "/" + here : here;
}

static void LoadFromOwnFolder(const char* path, Font* f) {
  std::string folder, name, back = CurrentGameFolder();
  SplitPath(path, nullptr, &folder, &name);
  if (!ChangeGameFolder(folder.c_str())) ScriptErrorFormat("File \"%s\" not found", path);
  LoadFontDescription(name.c_str(), f);
  ChangeGameFolder(back.c_str());
}

static void AppendFont(int scope) {
  if (font_counts.total >= kMaxFonts) ScriptError("Too many fonts");
  auto* grown = static_cast<Font*>(std::realloc(fonts, (font_counts.total + 1u) * sizeof(Font)));
  if (!grown) throw std::bad_alloc();
  fonts = grown;
  fonts[font_counts.total] = Font{};
  font_counts.total++;
  (scope == 0 ? font_counts.game : scope == 1 ? font_counts.zone : font_counts.act)++;
}

void LoadFontList(const char* name, int scope) {
  FileStream s;
  if (!OpenStream(name, s)) ScriptErrorFormat("File \"%s\" not found", name);
  int32_t count = NextNumber(s);
  for (int32_t i = 0; i < count; i++) {
    ReadToken(s, text_buffer);
    std::string path = text_buffer;
    AppendFont(scope);
    LoadFromOwnFolder(path.c_str(), &fonts[font_counts.total - 1]);
  }
  CloseStream(s);
}

static void FreeFont(Font& f) {
  if (!f.glyphs) return;
  for (uint32_t g = 0; g < FontGlyphCount(f.kind); g++) FreeSpriteFrame(&f.glyphs[g]);
  delete[] f.glyphs;
  f.glyphs = nullptr;
}

// Frees the fonts from `first` on.
static void TrimFonts(uint16_t first) {
  for (uint32_t i = first; i < font_counts.total; i++) FreeFont(fonts[i]);
  font_counts.total = first;
  if (!first) {
    std::free(fonts);
    fonts = nullptr;
  }
}

void FreeAllFonts() {
  TrimFonts(0);
  font_counts = ScopeCounts{};
}

void FreeZoneFonts() {
  TrimFonts(font_counts.game);
  font_counts.zone = font_counts.act = 0;
}

void FreeActFonts() {
  TrimFonts(uint16_t(font_counts.game + font_counts.zone));
  font_counts.act = 0;
}

}  // namespace tolv
