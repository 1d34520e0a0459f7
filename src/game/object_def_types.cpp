// Object type records of an object definition file and the tag letters
// that say which scope a reference means.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "audio/sound_lists.h"
#include "base/message_log.h"
#include "compiler/compile_scopes.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/function_files.h"
#include "game/object_defs.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "world/frame_fields.h"
#include "world/sprite_sets.h"

namespace tolv {

namespace {
// What a type record is read against.
struct TypeReader {
  FileStream& s;
  int scope;
  uint32_t index;  // type index in this file
  char text[kTokenSize];
  char* Token() {
    ReadPathToken(s, text);
    return text;
  }
};

// The six kinds a type names directly, in record order.
struct RoutineKind {
  ObjectRoutine* table;
  uint32_t size;
  ObjectCodeKind code;
  const char* word;   // message word
  const char* label;  // AmbiguousFunctionWarning's name
};
const RoutineKind kRoutineKinds[6] = {
    {builtin_movers, 6, kMovementCode, "Movement", "Mover"},
    {builtin_drawers, 8, kDrawingCode, "Drawing", "Drawer"},
    {builtin_collisions, 5, kCollisionCode, "Collision", "Collision"},
    {builtin_pcollisions, 2, kPCollisionCode, "Projectile Collision", "PCollision"},
    {builtin_dbplacers, 2, kDBPlaceCode, "Debug Placement", "DBPlace"},
    {builtin_dbdrawers, 5, kDBDrawCode, "Debug Drawing", "DBDraw"},
};
}  // namespace

// A tagged number: "g" n, "z" n (after the game entries), "a" n (after
// game and zone); untagged n counts from `scope`. *tagged tells which.
template <class L>
static int32_t Tagged(char* t, const L& counts, int scope, bool* tagged = nullptr) {
  int c = std::tolower(static_cast<unsigned char>(t[0]));
  int tag = c == 'g' ? kScopeGame : c == 'z' ? kScopeZone : c == 'a' ? kScopeAct : -1;
  if (tagged) *tagged = tag >= 0;
  if (tag >= 0) t[0] = ' ';
  return int32_t(ScopeFirst(counts, tag >= 0 ? tag : scope) + uint32_t(ParseNumber(t)));
}

void AmbiguousFunctionWarning(const char* label, int scope, uint32_t type_index, int32_t number) {
  char line[128];
  const char* word = scope_words[scope];
  std::snprintf(line, sizeof line, "Ambiguous Script %s Func", label);
  ShowMessage(line);
  std::snprintf(line, sizeof line, "%s Obj %u refernces Func \"%d\"", word, type_index, number);
  ShowMessage(line);
  std::snprintf(line, sizeof line, "Defaulting to %s %s Func %d", word, label, number);
  ShowMessage(line);
  ShowMessage("Please use G/Z/A tags here");
}

uint32_t ReadCount(FileStream& s, uint32_t max, const char* what) {
  int32_t n = ReadNumberToken(s);
  if (n < 0 || uint32_t(n) > max) ScriptErrorFormat("Invalid %s count %d\nCounts run from 0 to %u", what, n, max);
  return uint32_t(n);
}

static int32_t RangeAction(TypeReader& r) {
  char* t = r.Token();
  if (t[0] == 'f' || t[0] == 'F') {
    uint32_t high = t[0] == 'f' ? 0x40000000u : 0xC0000000u;
    t[0] = ' ';
    char* p = t + 1;
    int c = std::tolower(static_cast<unsigned char>(*p));
    int32_t id = c == 'g' || c == 'z' || c == 'a' ? Tagged(p, object_code_sets[kMovementCode], kScopeGame)
                                                  : ParseNumber(t);
    return int32_t(high + uint16_t(id));
  }
  int32_t v = ParseNumber(t);
  return v == 1 ? int32_t(0x80000000u) : v;
}

static uint8_t FlagLetters(const char* t) {
  uint8_t f = 0;
  for (; *t; t++) {
    if (*t == 'S' || *t == 's') f |= 1;
    if (*t == 'C' || *t == 'c') f |= 2;
  }
  return f;
}

static void ReadRoutines(TypeReader& r, ObjectType& ty) {
  ObjectRoutine* builtins[6] = {&ty.builtin_movement, &ty.builtin_drawing, &ty.builtin_collision,
                                &ty.builtin_pcollision, &ty.builtin_dbplace, &ty.builtin_dbdraw};
  uint16_t* labels[6] = {&ty.movement_label, &ty.drawing_label, &ty.collision_label,
                         &ty.pcollision_label, &ty.dbplace_label, &ty.dbdraw_label};
  for (int k = 0; k < 6; k++) {
    const RoutineKind& kind = kRoutineKinds[k];
    int32_t n = ReadNumberToken(r.s);
    if (n < 0 || uint32_t(n) >= kind.size)
      ScriptErrorFormat("%s Obj %u - no built-in %s routine %d\nThere are %u", scope_words[r.scope], r.index,
                        kind.word, n, kind.size);
    *builtins[k] = kind.table[n];
    char* t = r.Token();
    char copy[kTokenSize];
    std::memcpy(copy, t, kTokenSize);
    int32_t plain = ParseNumber(copy);
    if (plain == 65535 || plain == -1) {  // no function, in any scope
      *labels[k] = 65535;
      continue;
    }
    bool tagged = false;
    int32_t id = Tagged(t, object_code_sets[kind.code], r.scope, &tagged);
    if (!tagged) AmbiguousFunctionWarning(kind.label, r.scope, r.index, plain);
    *labels[k] = uint16_t(id);
  }
}

static SpriteSet* SpriteReference(TypeReader& r) {
  char* t = r.Token();
  if (t[0] == 'p' || t[0] == 'P') {
    t[0] = ' ';
    int32_t c = ParseNumber(t);
    if (c < 0 || c >= character_count)
      ScriptErrorFormat("%s Obj %u - sprite list names character %d\nOnly %d characters are loaded",
                        scope_words[r.scope], r.index, c, character_count);
    return &characters[c].sprites;
  }
  int32_t s = Tagged(t, sprite_set_counts, r.scope);
  if (s < 0 || s >= sprite_set_counts.total)
    ScriptErrorFormat("%s Obj %u - sprite set %d is not loaded\nOnly %d sprite sets exist here",
                      scope_words[r.scope], r.index, s, sprite_set_counts.total);
  return sprite_sets[s];
}

// A count then that many tagged references against `counts`. The type
// holds the list before an entry is read: a bad one ends the load, and
// the type's unload frees it.
template <class L>
static void ReadReferenceList(TypeReader& r, uint16_t** list, uint16_t* count, const L& counts, const char* what) {
  *count = uint16_t(ReadCount(r.s, 65535, what));
  *list = NewZeroedArray<uint16_t>(*count);
  for (uint32_t i = 0; i < *count; i++) (*list)[i] = uint16_t(Tagged(r.Token(), counts, r.scope));
}

// Parameter values: "o" type ids, "m" Movement ids, "p" player block
// indexes, anything else a plain number.
static int32_t ParameterValue(TypeReader& r) {
  char* t = r.Token();
  int c = std::tolower(static_cast<unsigned char>(t[0]));
  if (c == 'o' || c == 'm') {
    t[0] = ' ';
    char* p = t + 1;
    int tag = std::tolower(static_cast<unsigned char>(*p));
    if (tag != 'g' && tag != 'z' && tag != 'a') *--p = ' ';  // untagged: the number follows
    if (c == 'o') return Tagged(p, object_type_counts, r.scope);
    return Tagged(p, object_code_sets[kMovementCode], r.scope);
  }
  if (c == 'p') {
    char m = t[1];
    uint32_t base = m == 'C' ? 0 : m == 'c' ? 9 : m == 'A' ? character_register_count
                  : m == 'a' ? character_register_count + 39 : 0;
    t[0] = ' ';
    bool number = (m >= '0' && m <= '9') || m == '-' || m == '$' || m == '%';
    if (!number) t[1] = ' ';  // any other second character: the number follows it
    return int32_t(base + uint32_t(ParseNumber(t)));
  }
  return ParseNumber(t);
}

static void ReadParameterLists(TypeReader& r, ObjectType& ty) {
  ty.parameter_list_count = uint16_t(ReadCount(r.s, 65535, "parameter list"));
  ty.parameter_list_lengths = NewZeroedArray<uint16_t>(ty.parameter_list_count);
  ty.parameter_lists = NewZeroedArray<int32_t*>(ty.parameter_list_count);
  for (uint32_t l = 0; l < ty.parameter_list_count; l++) {
    ty.parameter_list_lengths[l] = uint16_t(ReadCount(r.s, 65535, "parameter"));
    ty.parameter_lists[l] = NewZeroedArray<int32_t>(ty.parameter_list_lengths[l]);
    for (uint32_t i = 0; i < ty.parameter_list_lengths[l]; i++) ty.parameter_lists[l][i] = ParameterValue(r);
  }
}

static void ReadType(TypeReader& r, ObjectType& ty) {
  ty.default_draw_key = ReadNumberToken(r.s);
  ty.variable_count = ReadCount(r.s, 65535 - 7, "variable");
  ty.range_action = RangeAction(r);
  ty.flags = FlagLetters(r.Token());
  ReadRoutines(r, ty);
  ty.initialisers = NewZeroedArray<char*>(ty.variable_count);
  for (uint32_t v = 0; v < ty.variable_count; v++) {
    char* t = r.Token();
    t[19] = 0;
    ty.initialisers[v] = static_cast<char*>(std::malloc(std::strlen(t) + 1));
    if (!ty.initialisers[v]) throw std::bad_alloc();
    std::strcpy(ty.initialisers[v], t);
  }
  ty.sprite_list_count = uint16_t(ReadCount(r.s, 65535, "sprite list"));
  ty.sprite_lists = NewZeroedArray<SpriteSet*>(ty.sprite_list_count);
  for (uint32_t i = 0; i < ty.sprite_list_count; i++) ty.sprite_lists[i] = SpriteReference(r);
  ReadReferenceList(r, &ty.animation_labels, &ty.animation_label_count, object_code_sets[kAnimationCode],
                    "Animation label");
  ReadReferenceList(r, &ty.sounds, &ty.sound_count, sound_counts, "sound");
  ReadReferenceList(r, &ty.type_list, &ty.type_list_count, object_type_counts, "type list");
  ReadParameterLists(r, ty);
}

void ReadObjectTypes(FileStream& s, int scope) {
  int32_t n = ReadNumberToken(s);
  uint32_t old = object_type_counts.total;
  uint32_t first = SetScopeCount(object_type_counts, scope, n, "object type");
  ResizeObjectTypes(old, object_type_counts.total);
  compile_scopes.object_types = {object_type_counts.game, object_type_counts.zone};
  TypeReader r{s, scope, 0, {}};
  for (uint32_t t = first; t < object_type_counts.total; t++, r.index++) ReadType(r, object_types[t]);
}

}  // namespace tolv
