// Function numbers that commands look up through an owner's labels instead
// of taking them from an operand. A lookup that finds no entry gives
// kNoFunction, which no context runs.
#pragma once
#include <cstdint>

#include "objects/records.h"

namespace tolv {

constexpr uint16_t kNoFunction = 65535;

// The Movement function held in entry `entry` of parameter list `list` of
// the object's type (the type's Movement label lists).
uint16_t TypeMovementLabel(const ObjectSlot* o, int32_t list, int32_t entry);
// Animation label i of the object's type.
uint16_t TypeAnimationLabel(const ObjectSlot* o, int32_t i);
// The player's character's first label + i.
uint16_t CharacterLabel(const PlayerRecord* p, int32_t i);
// Entry i of the player's label table.
uint16_t PlayerTableLabel(const PlayerRecord* p, int32_t i);

}  // namespace tolv
