// Reading screen layout definition files into stat_obj_defs.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "compiler/compile_scopes.h"
#include "compiler/compiler.h"
#include "compiler/operand_coding.h"
#include "files/file_stream.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "render/font.h"
#include "render/image.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"

namespace tolv {

StatObjDef stat_obj_defs[kMaxStatObjDefs];

static ScopeCounts NoSpriteSets() { return ScopeCounts{}; }
ScopeCounts (*object_sprite_set_counts)() = NoSpriteSets;

template <typename T>
static T* NewArray(uint32_t n) {
  return n ? new T[n]() : nullptr;
}

namespace {

struct DefReader {
  FileStream& s;
  uint8_t self;              // index of the definition being read
  std::string last_image;    // the image frames are cut from
  bool image_loaded = false;

  char* Token() {
    ReadToken(s, text_buffer);
    return text_buffer;
  }
  int32_t Number() { return ParseNumber(Token()); }
  uint8_t Count() { return static_cast<uint8_t>(Number()); }
};

}  // namespace

static int Lower(char c) { return std::tolower(static_cast<unsigned char>(c)); }

// Row of a key-map entry state: t pressed, h held, r pulse; -1 for none.
static int KeyRow(char c) {
  switch (Lower(c)) {
    case 't': return 0;
    case 'h': return 1;
    case 'r': return 2;
    default: return -1;
  }
}

uint16_t ParseStatKeyCode(char* t) {
  const uint32_t e = key_map_entry_count, block = 3 * e;
  auto number = [](char* s) { return static_cast<uint32_t>(ParseNumber(s)); };
  int row = KeyRow(t[0]);
  if (row >= 0) return static_cast<uint16_t>(number(t + 1) + 128u * uint32_t(row));
  if (Lower(t[0]) == 'm') {
    char* s = t + 1;
    uint32_t map = 0;
    for (; *s >= '0' && *s <= '9'; s++)
      if (map < 100000) map = map * 10 + uint32_t(*s - '0');
    int r = KeyRow(*s);
    if (r < 0) return static_cast<uint16_t>(512 + map * block);
    return static_cast<uint16_t>(512 + map * block + uint32_t(r) * e + number(s + 1));
  }
  if (Lower(t[0]) == 'p') {
    int r = KeyRow(t[1]);
    if (r >= 0) return static_cast<uint16_t>(0x8000u + uint32_t(r) * e + number(t + 2));
    if (std::isalpha(static_cast<unsigned char>(t[1])))
      ScriptErrorFormat("Key code \"%s\": after 'p' use t, h or r", t);
    return static_cast<uint16_t>(0x8000u + number(t + 1));
  }
  return static_cast<uint16_t>(ParseNumber(t));
}

static void ReadGroups(DefReader& r, uint8_t count, TriggerGroup* groups) {
  for (int g = 0; g < count; g++) {
    TriggerGroup& group = groups[g];
    uint8_t n = r.Count();
    group.combinations = NewArray<KeyCombination>(n);
    group.combination_count = n;
    for (int c = 0; c < n; c++) {
      KeyCombination& kc = group.combinations[c];
      uint8_t keys = r.Count();
      kc.keys = NewArray<uint16_t>(keys);
      kc.key_count = keys;
      for (int k = 0; k < keys; k++) kc.keys[k] = ParseStatKeyCode(r.Token());
    }
    group.function = static_cast<uint8_t>(r.Number());
  }
}

static void ReadNodes(DefReader& r, StatObjDef& d) {
  int32_t n = r.Number();
  if (n < 0 || n > kMaxStatObjNodes)
    ScriptErrorFormat("Stat Obj with %d nodes: at most %d are allowed", n, kMaxStatObjNodes);
  d.nodes = NewArray<StatObjNodeDef>(uint32_t(n));
  d.node_count = static_cast<uint8_t>(n);
  for (int i = 0; i < n; i++) {
    StatObjNodeDef& nd = d.nodes[i];
    nd.parent = r.Count();
    nd.x = r.Number();
    nd.y = r.Number();
    nd.left = r.Number();
    nd.top = r.Number();
    nd.right = r.Number();
    nd.bottom = r.Number();
    nd.visible = r.Count();
    nd.trigger_set = r.Count();
    nd.enter_function = r.Count();
    nd.leave_function = r.Count();
    uint8_t groups = r.Count();
    nd.trigger_groups = NewArray<TriggerGroup>(groups);
    nd.trigger_group_count = groups;
    ReadGroups(r, groups, nd.trigger_groups);
  }
}

static void ReadStrings(DefReader& r, StatObjDef& d) {
  uint8_t n = r.Count();
  d.strings = NewArray<char*>(n);
  d.string_count = n;
  for (int i = 0; i < n; i++) {
    const char* t = r.Token();
    d.strings[i] = new char[std::strlen(t) + 1];
    std::strcpy(d.strings[i], t);
  }
}

static void ReadFrame(DefReader& r, SpriteFrame* f) {
  std::string name = r.Token();
  if (!r.image_loaded || name != r.last_image) {
    r.last_image = name;
    r.image_loaded = true;
    if (!load_image_file(name.c_str(), &sprite_image, 0)) ScriptErrorFormat("File \"%s\" not found", name.c_str());
  }
  int32_t x = r.Number(), y = r.Number(), w = r.Number(), h = r.Number();
  InitSpriteFrame(f, w, h);
  CutFrameFromImage(&sprite_image, f, x, y);
}

static void ReadSpriteLists(DefReader& r, StatObjDef& d) {
  uint8_t n = r.Count();
  d.sprite_lists = NewArray<SpriteSet>(n);
  d.sprite_list_count = n;
  for (int l = 0; l < n; l++) {
    SpriteSet& set = d.sprite_lists[l];
    uint8_t frames = r.Count();
    set.frames = NewArray<SpriteFrame>(frames);
    set.frame_count = frames;
    for (int f = 0; f < frames; f++) ReadFrame(r, &set.frames[f]);
  }
}

// A coded node of the file as an instance node; 255 (no node) when it lies
// beyond the definition's nodes.
static uint8_t InstanceNode(uint32_t coded, const StatObjDef& d) {
  uint32_t n = DecodeNode(coded);
  return n < d.node_count + 2u ? static_cast<uint8_t>(n) : 255;
}

static void ReadTriggerSets(DefReader& r, StatObjDef& d) {
  uint8_t n = r.Count();
  d.trigger_sets = NewArray<StatObjTriggerSet>(n);
  d.trigger_set_count = n;
  for (int i = 0; i < n; i++) {
    StatObjTriggerSet& set = d.trigger_sets[i];
    set.enter_function = r.Count();
    set.leave_function = r.Count();
    set.owner = InstanceNode(r.Count(), d);
    uint8_t groups = r.Count();
    set.groups = NewArray<TriggerGroup>(groups);
    set.group_count = groups;
    ReadGroups(r, groups, set.groups);
  }
}

// n after an optional scope letter: g or none n, z n + game, a n + game + zone.
static int32_t Scoped(char* t, uint32_t game, uint32_t zone) {
  switch (Lower(t[0])) {
    case 'g': t[0] = ' '; return ParseNumber(t);
    case 'z': t[0] = ' '; return int32_t(uint32_t(ParseNumber(t)) + game);
    case 'a': t[0] = ' '; return int32_t(uint32_t(ParseNumber(t)) + game + zone);
    default: return ParseNumber(t);
  }
}

static uint16_t ReadSourceDef(DefReader& r) {
  char* t = r.Token();
  bool plain = Lower(t[0]) != 'g' && Lower(t[0]) != 'z' && Lower(t[0]) != 'a';
  int32_t v = Scoped(t, stat_obj_def_counts.game, stat_obj_def_counts.zone);
  return static_cast<uint16_t>(plain && v == 255 ? r.self : v);
}

static uint16_t ReadSource(DefReader& r, uint8_t kind) {
  char* t = r.Token();
  if (kind == kElemSetSprite) {
    ScopeCounts c = object_sprite_set_counts();
    return static_cast<uint16_t>(Scoped(t, c.game, c.zone));
  }
  if (kind == kElemStringSlot) return static_cast<uint16_t>(Scoped(t, game_string_count, zone_string_count));
  return static_cast<uint16_t>(ParseNumber(t));
}

// Player variable index with the player operand letters (case matters).
static int32_t PlayerVarIndex(char* t) {
  uint32_t base = 0;
  switch (t[0]) {
    case 'a': base = character_register_count + 39; break;
    case 'A': base = character_register_count; break;
    case 'c': base = 9; break;
    case 'C': break;
    default: return ParseNumber(t);
  }
  t[0] = ' ';
  return int32_t(uint32_t(ParseNumber(t)) + base);
}

static int32_t ReadStartFunction(DefReader& r, uint8_t kind) {
  char* t = r.Token();
  if (Lower(t[0]) == 'n') return kNoFunction;
  if (kind == kElemCharSprite && Lower(t[0]) == 'c') {
    t[0] = ' ';
    return int32_t(0u - uint32_t(ParseNumber(t)));
  }
  return ParseNumber(t);
}

static void ReadElement(DefReader& r, StatObjElementDef& e) {
  e.kind = r.Count();
  uint8_t k = e.kind;
  bool number = k >= kElemRegBlank && k <= kElemPlayerZero;
  if (k == kElemPlayerBlank || k == kElemPlayerZero) e.frame = static_cast<uint16_t>(r.Number());
  if (k == kElemOwnSprite || k == kElemText || number) e.source_def = ReadSourceDef(r);
  if (number) e.source_def = e.source_def < 1 ? 1 : e.source_def > 10 ? 10 : e.source_def;
  e.source = ReadSource(r, k);
  if (k == kElemRegBlank || k == kElemRegZero) {
    uint32_t w = 0;
    ParseOperand(&w, r.Token(), last_alias_kind);
    e.value = int32_t(w | kRegisterBit);
  } else if (number) {
    e.value = PlayerVarIndex(r.Token());
  }
  if (k >= kElemText) e.start_function = Scoped(r.Token(), font_counts.game, font_counts.zone);
  if (k <= kElemCharSprite) e.start_function = ReadStartFunction(r, k);
  else if (k < kElemText) e.start_function = kNoFunction;
  e.visible = r.Count();
  e.parent = r.Count();
  e.x = r.Number();
  e.y = r.Number();
}

// Kinds 0 and 10 are measured once here; the others when built.
static void MeasureElementDef(StatObjElementDef& e) {
  uint32_t w = 0, h = 0;
  const StatObjDef* src = FindStatObjDef(e.source_def);
  if (e.kind == kElemOwnSprite && src && e.source < src->sprite_list_count) {
    const SpriteSet& set = src->sprite_lists[e.source];
    if (set.frame_count) {
      w = set.frames[0].width;
      h = set.frames[0].height;
    }
  } else if (e.kind == kElemText) {
    w = src && e.source < src->string_count ? TextWidth(src->strings[e.source], e.start_function) : 0;
    h = 16;
  }
  e.width = static_cast<uint16_t>(w);
  e.height = static_cast<uint16_t>(h);
  e.half_width = static_cast<uint16_t>(w / 2);
  e.half_height = static_cast<uint16_t>(h / 2);
}

static void ReadElements(DefReader& r, StatObjDef& d) {
  uint8_t n = r.Count();
  d.elements = NewArray<StatObjElementDef>(n);
  d.element_count = n;
  for (int i = 0; i < n; i++) {
    ReadElement(r, d.elements[i]);
    MeasureElementDef(d.elements[i]);
  }
}

static void ReadFunctions(DefReader& r, StatObjDef& d) {
  int32_t n = r.Number();
  for (int32_t i = 0; i < n; i++) {
    ScriptFunction fn = CompileFunctionBody(r.s);
    if (AppendFunction(d.functions, fn) < 0) {
      FreeScriptFunction(fn);
      ScriptError("Too many Stat Obj functions");
    }
  }
}

static void ReadDef(DefReader& r, StatObjDef& d) {
  d.counter_count = static_cast<uint16_t>(r.Number());
  uint8_t selection = r.Count();
  ReadNodes(r, d);
  d.initial_selection = InstanceNode(selection, d);
  ReadStrings(r, d);
  ReadSpriteLists(r, d);
  ReadTriggerSets(r, d);
  ReadElements(r, d);
  ReadFunctions(r, d);
}

void LoadStatObjDef(const char* path, int scope) {
  FileStream s;
  if (!OpenStream(path, s)) ScriptErrorFormat("File \"%s\" not found", path);
  ScopeCounts& c = stat_obj_def_counts;
  if (c.total >= kMaxStatObjDefs) ScriptErrorFormat("Stat Obj \"%s\": at most %d can be loaded", path, kMaxStatObjDefs);
  uint8_t self = static_cast<uint8_t>(c.total);
  stat_obj_defs[self] = StatObjDef{};
  c.total++;
  (scope == 0 ? c.game : scope == 1 ? c.zone : c.act)++;
  DefReader r{s, self, std::string(), false};
  ReadDef(r, stat_obj_defs[self]);
  CloseStream(s);
}

}  // namespace tolv
