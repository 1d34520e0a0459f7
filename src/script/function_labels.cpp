#include "script/function_labels.h"

namespace tolv {

static uint16_t NoTypeMovementLabel(const ObjectSlot*, int32_t, int32_t) { return kNoFunction; }
static uint16_t NoTypeAnimationLabel(const ObjectSlot*, int32_t) { return kNoFunction; }
static uint16_t NoCharacterLabel(const PlayerRecord*, int32_t) { return kNoFunction; }

uint16_t (*type_movement_label)(const ObjectSlot*, int32_t, int32_t) = NoTypeMovementLabel;
uint16_t (*type_animation_label)(const ObjectSlot*, int32_t) = NoTypeAnimationLabel;
uint16_t (*character_label)(const PlayerRecord*, int32_t) = NoCharacterLabel;

static bool Below(int32_t i, uint32_t n) { return static_cast<uint32_t>(i) < n; }

uint16_t PlayerTableLabel(const PlayerRecord* p, int32_t i) {
  if (!p->labels || !Below(i, p->label_count)) return kNoFunction;
  return p->labels[i];
}

}  // namespace tolv
