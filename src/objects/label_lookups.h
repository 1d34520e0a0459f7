// The label lookups of object types and characters behind the script
// machine's label slots (script/function_labels.h).
#pragma once
#include <cstdint>

#include "script/function_labels.h"

namespace tolv {

uint16_t TypeMovementLabel(const ObjectSlot* o, int32_t list, int32_t entry);
uint16_t TypeAnimationLabel(const ObjectSlot* o, int32_t i);
uint16_t CharacterLabel(const PlayerRecord* p, int32_t i);
// Fills the script machine's label slots with the three above.
void InstallLabelLookups();

}  // namespace tolv
