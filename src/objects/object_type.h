// Object types: the recipe spawning and the world update follow.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"
#include "script/records.h"
#include "world/sprite_frame.h"

namespace tolv {

struct ObjectType {
  int32_t range_action = 0;
  uint8_t flags = 0;  // bit 0 saved in layouts, bit 1 children die with it
  int32_t default_draw_key = 0;
  uint32_t variable_count = 0;
  ObjectRoutine builtin_movement = nullptr;
  ObjectRoutine builtin_drawing = nullptr;
  ObjectRoutine builtin_collision = nullptr;
  ObjectRoutine builtin_pcollision = nullptr;
  ObjectRoutine builtin_dbplace = nullptr;
  ObjectRoutine builtin_dbdraw = nullptr;
  uint16_t movement_label = 65535;
  uint16_t drawing_label = 65535;
  uint16_t collision_label = 65535;
  uint16_t pcollision_label = 65535;
  uint16_t dbplace_label = 65535;
  uint16_t dbdraw_label = 65535;
  char** initialisers = nullptr;  // variable_count owned strings
  uint16_t sprite_list_count = 0;
  SpriteSet** sprite_lists = nullptr;
  uint16_t animation_label_count = 0;
  uint16_t* animation_labels = nullptr;
  uint16_t sound_count = 0;
  uint16_t* sounds = nullptr;
  uint16_t type_list_count = 0;
  uint16_t* type_list = nullptr;
  uint16_t parameter_list_count = 0;
  uint16_t* parameter_list_lengths = nullptr;
  int32_t** parameter_lists = nullptr;
};

extern ObjectType* object_types;
extern ScopeCounts object_type_counts;

// Grows or shrinks the type array to `total` (the counts are the caller's);
// types past it are freed, new ones empty.
void ResizeObjectTypes(uint32_t old, uint32_t total);
// Frees the types of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void FreeObjectTypes(int drop);

// The type record for an id, or null when the id names none.
inline ObjectType* FindObjectType(int32_t id) {
  return id >= 0 && static_cast<uint32_t>(id) < object_type_counts.total ? &object_types[id] : nullptr;
}

}  // namespace tolv
