// Object slots and player records: the fixed records that scripts reach
// through the operand spaces and handles. Records never move; a handle is
// their kind and fixed id, never an address.
#pragma once
#include <cstdint>

#include "script/machine.h"

namespace tolv {

constexpr int kObjectSlotCount = 4096;
constexpr int kMaxPlayers = 2;

struct ObjectSlot;
struct SpriteSet;
using ObjectRoutine = void (*)();

struct ObjectSlot {
  int32_t* vars = nullptr;  // word 0 type, 1 X, 2 Y, 3 draw key, 4 frame, 5 spawn word, 6 flags
  uint16_t var_count = 0;
  uint16_t order_index = 0;
  ScriptContext movement_ctx;
  ScriptContext drawing_ctx;
  TimedScriptContext animation_ctx;
  ObjectRoutine mover = nullptr;
  uint32_t former_type = 0;
  ObjectSlot* parent = nullptr;
  ObjectSlot** children = nullptr;
  uint8_t child_count = 0;
  uint8_t range_state = 255;
  uint8_t range_latch = 1;
  uint16_t snapshot_index = 65535;
  int32_t stat_instance = 0;  // owned stat object instance id (types 9995, 9998), 0 none
  uint16_t id = 0;  // fixed record id: 0..4095 live slots, 4096..8191 snapshots
};

struct PlayerRecord {
  uint8_t moved = 0;
  uint8_t character = 255;
  int32_t* character_vars = nullptr;  // character vars, then the player vars
  int32_t* player_vars = nullptr;     // = character_vars + character_register_count
  int32_t motion[18] = {};            // movement and box state; 14-17 the box
  void* attack_boxes = nullptr;
  void* hurt_boxes = nullptr;
  uint8_t owns_attack_boxes = 0;
  uint8_t owns_hurt_boxes = 0;
  ObjectSlot* player_object = nullptr;
  ObjectSlot* second_object = nullptr;
  TimedScriptContext main_ctx;
  const SpriteSet* frames = nullptr;  // the character's frame set (stays valid across reloads)
  ScriptContext character_ctx;
  uint16_t* labels = nullptr;  // owned copy of the character's main labels
  uint8_t label_count = 0;
  uint8_t index = 0;
};

// Both pools live in one array so a slot's id is its position: live slots
// first, then the snapshots.
extern ObjectSlot object_pool[2 * kObjectSlotCount];
extern ObjectSlot* object_slots[kObjectSlotCount];
extern ObjectSlot* const object_snapshots;  // object_pool + kObjectSlotCount
extern PlayerRecord player_records[kMaxPlayers];

// Inert records that stand in for anything a bad handle or index names:
// no variables (every access hits the scratch cell) and no lanes.
extern ObjectSlot void_slot;
extern PlayerRecord void_player;

// Variable block sizes (set by game loading).
extern uint32_t character_register_count;  // game.def count + 9
extern uint32_t player_register_count;      // 39 + the game's extra player vars

// The player block as scripts address it: character vars then player vars.
inline uint32_t PlayerBlockSize() { return character_register_count + player_register_count; }

}  // namespace tolv
