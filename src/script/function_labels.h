// Function numbers that commands look up through an owner's labels instead
// of taking them from an operand. The label tables belong to object types
// and characters: objects/ installs the lookups (InstallLabelLookups).
// Until then, and whenever a lookup finds no entry, it gives kNoFunction,
// which no context runs.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

constexpr uint16_t kNoFunction = 65535;

// The Movement function held in entry `entry` of parameter list `list` of
// the object's type (the type's Movement label lists).
extern uint16_t (*type_movement_label)(const ObjectSlot* o, int32_t list, int32_t entry);
// Animation label i of the object's type.
extern uint16_t (*type_animation_label)(const ObjectSlot* o, int32_t i);
// The player's character's first label + i.
extern uint16_t (*character_label)(const PlayerRecord* p, int32_t i);

// Entry i of the player's label table.
uint16_t PlayerTableLabel(const PlayerRecord* p, int32_t i);

}  // namespace tolv
