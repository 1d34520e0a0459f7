// Character definition files: frames, default variables, labels, actions
// with their key combinations, main labels and player functions.
#include "objects/character_loader.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/key_state.h"
#include "base/message_log.h"
#include "files/file_stream.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "objects/character.h"
#include "render/image.h"
#include "script/records.h"
#include "world/frame_fields.h"
#include "world/sprite_sets.h"

namespace tolv {

// Definition files are read with the def-file tokenizer.
static bool NextFileToken(void* state, char* text) { return ReadToken(*static_cast<FileStream*>(state), text) >= 0; }
static bool OpenDefFile(const char* path, TokenSource* src) {
  auto* s = new FileStream;
  if (!OpenStream(path, *s)) {
    delete s;
    return false;
  }
  src->state = s;
  src->next = NextFileToken;
  return true;
}
static void CloseDefFile(TokenSource* src) {
  auto* s = static_cast<FileStream*>(src->state);
  CloseStream(*s);
  delete s;
  src->state = nullptr;
}
static bool NoCompiler(TokenSource*, ScriptFunction*, const char*) { return false; }
static void FatalError(const char* message) { ScriptError(message); }

bool (*open_character_file)(const char* path, TokenSource* src) = OpenDefFile;
void (*close_character_file)(TokenSource* src) = CloseDefFile;
bool (*compile_player_function)(TokenSource* src, ScriptFunction* out, const char* name) = NoCompiler;
void (*character_error)(const char* message) = FatalError;

namespace {
// One load: the token source, the scratch token and the error state.
struct Reader {
  explicit Reader(TokenSource* s) : src(s) {}
  TokenSource* src;
  char text[256] = "";
  bool failed = false;
  char last_image[256] = "";

  void Fail(const char* message) {
    if (!failed) character_error(message);
    failed = true;
  }
  char* Token() {
    text[0] = 0;
    if (!failed && !src->next(src->state, text)) Fail("File ended unexpectedly");
    text[255] = 0;
    return text;
  }
  int32_t Number() { return failed ? 0 : ParseNumber(Token()); }
  // A label: "c" n is absolute, anything else counts from the base.
  uint16_t Label(uint16_t base) {
    char* t = Token();
    if (t[0] == 'c' || t[0] == 'C') {
      t[0] = ' ';
      return static_cast<uint16_t>(ParseNumber(t));
    }
    return static_cast<uint16_t>(base + static_cast<uint32_t>(ParseNumber(t)));  // numbers from files wrap
  }
};
}  // namespace

static void ReadFrame(Reader& r, SpriteFrame* f, int i) {
  char* name = r.Token();
  if (!r.failed && std::strcmp(name, r.last_image) != 0) {
    std::snprintf(r.last_image, sizeof r.last_image, "%s", name);
    load_image_file(r.last_image, &sprite_image, 0);
  }
  int32_t x = r.Number(), y = r.Number(), w = r.Number(), h = r.Number();
  if (r.failed) return;
  if (!FrameSizeFits(w, h)) return r.Fail(FrameSizeError("Sprite Frame " + std::to_string(i), w, h).c_str());
  InitSpriteFrame(f, w, h);
  if (!FrameFitsImage(sprite_image, *f, x, y)) return r.Fail(kCutBeyondImage);
  CutFrameFromImage(&sprite_image, f, x, y);
  ReadFrameFields(
      f, [&r] { return r.Number(); }, [&r](const char*) { return static_cast<uint8_t>(r.Number()); });
}

static void ReadFrames(Reader& r, Character& ch, int c) {
  char* t = r.Token();
  char path[256];
  std::snprintf(path, sizeof path, "%s", t);
  uint16_t n = static_cast<uint16_t>(ParseNumber(t));
  if (r.failed) return;
  if (n == 0) return LoadCharacterSprites(path, c, &ch.sprites);
  ch.sprites.frames = NewZeroedArray<SpriteFrame>(n);
  ch.sprites.frame_count = n;
  for (int i = 0; i < n && !r.failed; i++) ReadFrame(r, &ch.sprites.frames[i], i);
}

uint16_t ParseKeyCode(char* t) {
  char k = static_cast<char>(std::tolower(static_cast<unsigned char>(t[0])));
  uint32_t row = pad_row_offset;
  auto rest = [](char* s) { return static_cast<uint32_t>(ParseNumber(s)); };
  if (k == 't' || k == 'h' || k == 'r') return static_cast<uint16_t>(rest(t + 1) + (k == 'h' ? 128 : k == 'r' ? 256 : 0));
  if (k == 'p') {
    char m = static_cast<char>(std::tolower(static_cast<unsigned char>(t[1])));
    uint32_t rows = m == 'h' ? 1 : m == 'r' ? 2 : 0;
    char* num = (m == 't' || m == 'h' || m == 'r') ? t + 2 : t + 1;
    return static_cast<uint16_t>(0x8000u + rest(num) + rows * row);
  }
  if (k == 'm') {
    char* s = t + 1;
    uint32_t player = 0;
    while (*s >= '0' && *s <= '9') player = player * 10 + static_cast<uint32_t>(*s++ - '0');
    char m = static_cast<char>(std::tolower(static_cast<unsigned char>(*s)));
    uint32_t rows = m == 'h' ? 1 : m == 'r' ? 2 : 0;
    return static_cast<uint16_t>(512u + pad_stride * player + rest(s + 1) + rows * row);
  }
  return static_cast<uint16_t>(ParseNumber(t));
}

static void ReadActions(Reader& r, Character& ch) {
  ch.action_count = static_cast<uint8_t>(r.Number());
  ch.actions = NewZeroedArray<ActionGroup>(ch.action_count);
  for (int a = 0; a < ch.action_count && !r.failed; a++) {
    ActionGroup& g = ch.actions[a];
    g.before_label = r.Label(ch.label_base);
    g.after_label = r.Label(ch.label_base);
    g.combination_count = static_cast<uint8_t>(r.Number());
    g.combinations = NewZeroedArray<KeyCombination>(g.combination_count);
    for (int k = 0; k < g.combination_count && !r.failed; k++) {
      KeyCombination& kc = g.combinations[k];
      kc.key_count = static_cast<uint8_t>(r.Number());
      kc.keys = NewZeroedArray<uint16_t>(kc.key_count);
      for (int i = 0; i < kc.key_count; i++) kc.keys[i] = r.failed ? 0 : ParseKeyCode(r.Token());
      kc.label = static_cast<uint8_t>(r.Number());
    }
  }
}

static void ReadLabelList(Reader& r, uint8_t* count, uint16_t** labels, uint16_t base) {
  *count = static_cast<uint8_t>(r.Number());
  *labels = NewZeroedArray<uint16_t>(*count);
  for (int i = 0; i < *count; i++) (*labels)[i] = r.Label(base);
}

static void ReadFunctions(Reader& r) {
  int32_t m = r.Number();
  for (int32_t i = 0; i < m && !r.failed; i++) {
    char name[32];
    std::snprintf(name, sizeof name, "Player Func %d", i);
    ScriptFunction fn;
    if (!compile_player_function(r.src, &fn, name)) return r.Fail("Player function failed to compile");
    if (AppendFunction(player_functions, fn) < 0) {
      FreeScriptFunction(fn);
      return r.Fail("Too many player functions");
    }
  }
}

bool ReadCharacterDef(TokenSource* src, int c) {
  if (c < 0 || c >= kMaxCharacters) return false;
  FreeCharacters(c);
  Character& ch = characters[c];
  Reader r{src};
  ReadFrames(r, ch, c);
  ch.label_base = player_functions.total;
  ch.default_var_count = character_register_count;
  ch.default_vars = NewZeroedArray<int32_t>(ch.default_var_count);
  for (uint32_t i = 0; i < ch.default_var_count && !r.failed; i++) {
    char* t = r.Token();
    if (t[0] == 'f' || t[0] == 'F') {
      t[0] = ' ';
      ch.default_vars[i] = static_cast<int32_t>(ch.label_base + static_cast<uint32_t>(ParseNumber(t)));
    } else {
      ch.default_vars[i] = ParseNumber(t);
    }
  }
  ReadLabelList(r, &ch.extra_label_count, &ch.extra_labels, ch.label_base);
  ReadActions(r, ch);
  ReadLabelList(r, &ch.main_label_count, &ch.main_labels, ch.label_base);
  ReadFunctions(r);
  if (r.failed) {
    FreeCharacters(c);
    return false;
  }
  if (c >= character_count) character_count = static_cast<uint8_t>(c + 1);
  return true;
}

namespace {
// The open file, closed however the load ends: a fatal error whose hook
// throws unwinds through here.
struct OpenCharacterFile {
  TokenSource src;
  bool open = false;
  explicit OpenCharacterFile(const char* path) : open(open_character_file(path, &src)) {}
  ~OpenCharacterFile() {
    if (open) close_character_file(&src);
  }
  OpenCharacterFile(const OpenCharacterFile&) = delete;
  OpenCharacterFile& operator=(const OpenCharacterFile&) = delete;
};
}  // namespace

bool LoadCharacterDef(const char* path, int c) {
  if (c < 0 || c >= kMaxCharacters || !path) return false;
  bool ok = false;
  {
    OpenCharacterFile file(path);
    if (!file.open) {
      char msg[256];
      std::snprintf(msg, sizeof msg, "File \"%s\" not found", path);
      character_error(msg);
      FreeCharacters(c);
      return false;
    }
    ok = ReadCharacterDef(&file.src, c);
  }
  if (ok) {
    characters[c].path = static_cast<char*>(std::malloc(std::strlen(path) + 1));
    if (!characters[c].path) throw std::bad_alloc();
    std::strcpy(characters[c].path, path);
  }
  return ok;
}

}  // namespace tolv

namespace tolv {

static char* CopyText(const char* s) {
  if (!s) return nullptr;
  char* p = static_cast<char*>(std::malloc(std::strlen(s) + 1));
  if (!p) throw std::bad_alloc();
  return std::strcpy(p, s);
}

// Contexts bound to the player functions see the new function count.
static void RebindPlayerContexts() {
  for (PlayerRecord& r : player_records) {
    if (r.main_ctx.code == &player_functions) BindContext(r.main_ctx, r.main_ctx.table, &player_functions);
    if (r.character_ctx.code == &player_functions) BindContext(r.character_ctx, r.character_ctx.table, &player_functions);
  }
}

bool ReloadCharacterDef(const char* path, int c) {
  if (c < 0 || c >= kMaxCharacters || !path) return false;
  int last = character_count > c ? character_count : c + 1;
  char* paths[kMaxCharacters] = {};
  paths[c] = CopyText(path);
  for (int k = c + 1; k < last; k++) paths[k] = CopyText(characters[k].path);
  uint16_t base = c < character_count ? characters[c].label_base : player_functions.total;
  for (int k = c; k < last; k++) RetireCharacter(k);
  RetirePlayerFunctions(base);
  bool ok = LoadCharacterDef(paths[c], c);
  for (int k = c + 1; k < last; k++)
    if (paths[k]) LoadCharacterDef(paths[k], k);
  for (int k = c; k < last; k++) std::free(paths[k]);
  RebindPlayerContexts();
  return ok;
}

}  // namespace tolv
