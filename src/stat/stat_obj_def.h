// Stat object (screen layout) definitions: nodes, elements, menu entries,
// key triggers, the layout's own pictures, strings and script functions.
#pragma once
#include <cstdint>

#include "objects/character.h"
#include "objects/stat_obj_hooks.h"
#include "script/function_labels.h"
#include "script/machine.h"
#include "world/sprite_frame.h"

namespace tolv {

constexpr int kMaxStatObjDefs = 255;   // the total is a byte
constexpr int kMaxStatObjNodes = 253;  // plus the two roots in a u8 node index

// Node coding in files: 255 the screen root, 254 the world root, n node n.
constexpr uint8_t kCodedScreenRoot = 255;
constexpr uint8_t kCodedWorldRoot = 254;
// Instance node of a coded value: roots 1 and 0, definition node n at n + 2.
inline uint32_t DecodeNode(uint32_t coded) {
  return coded == kCodedScreenRoot ? 1 : coded == kCodedWorldRoot ? 0 : coded + 2;
}

// Functions started when any one combination is complete (the keys of a
// KeyCombination; its label is unused here).
struct TriggerGroup {
  KeyCombination* combinations = nullptr;
  uint8_t combination_count = 0;
  uint8_t function = 0;
};

struct StatObjNodeDef {
  uint8_t parent = 0;  // node coding, converted at build
  uint8_t visible = 0;
  int32_t x = 0, y = 0;
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  uint8_t enter_function = 0, leave_function = 0;
  uint8_t trigger_group_count = 0;
  TriggerGroup* trigger_groups = nullptr;
  uint8_t trigger_set = 0;
};

// A menu entry of its owner node.
struct StatObjTriggerSet {
  uint8_t enter_function = 0, leave_function = 0;
  uint8_t owner = 0;  // instance node (converted at load)
  uint8_t group_count = 0;
  TriggerGroup* groups = nullptr;
};

enum StatObjElementKind : uint8_t {
  kElemOwnSprite = 0,
  kElemSetSprite = 1,
  kElemCharSprite = 2,
  kElemText = 10,
  kElemStringSlot = 11,
  kElemRegBlank = 12,
  kElemRegZero = 13,
  kElemPlayerBlank = 14,
  kElemPlayerZero = 15,
};

struct StatObjElementDef {
  uint8_t parent = 0;  // node coding, converted at build
  uint8_t visible = 0;
  int32_t x = 0, y = 0;
  uint8_t kind = 0;
  uint16_t source_def = 0;      // kinds 0, 10; digit count for 12-15
  uint16_t source = 0;
  int32_t start_function = 0;   // kinds 0-2; the font for 10-15
  uint16_t width = 0, half_width = 0, height = 0, half_height = 0;
  uint16_t frame = 0;           // kinds 14, 15: the player (255 the current one)
  int32_t value = 0;            // kinds 12, 13: register operand; 14, 15: player variable
};

struct StatObjDef {
  StatObjElementDef* elements = nullptr;
  StatObjNodeDef* nodes = nullptr;
  StatObjTriggerSet* trigger_sets = nullptr;
  uint8_t element_count = 0, node_count = 0, trigger_set_count = 0, string_count = 0;
  char** strings = nullptr;
  SpriteSet* sprite_lists = nullptr;
  uint8_t sprite_list_count = 0;
  CodeSet functions;
  uint8_t initial_selection = 1;  // instance node
  uint16_t counter_count = 0;
};

// Records never move: instances bind their contexts to `functions`.
extern StatObjDef stat_obj_defs[kMaxStatObjDefs];

inline StatObjDef* FindStatObjDef(uint32_t i) {
  return i < stat_obj_def_counts.total && i < kMaxStatObjDefs ? &stat_obj_defs[i] : nullptr;
}

// Counts of the object sprite sets that kind 1 elements number; filled by
// the object definition loader.
extern ScopeCounts (*object_sprite_set_counts)();

// Scope 0 game, 1 zone, 2 act. A missing file is fatal.
void LoadStatObjDef(const char* path, int scope);
void TrimStatObjDefs();
void TrimZoneStatObjDefs();
void TrimActStatObjDefs();

// A key code token of a trigger combination.
uint16_t ParseStatKeyCode(char* token);
// Text width of a string in a font: glyph 1 + digit, 11 + letter, else 0.
uint32_t TextWidth(const char* text, int32_t font);

}  // namespace tolv
