#include "objects/label_lookups.h"

#include "objects/character.h"
#include "objects/object_type.h"
#include "script/operands.h"

namespace tolv {

static bool Below(int32_t i, uint32_t n) { return static_cast<uint32_t>(i) < n; }

uint16_t TypeMovementLabel(const ObjectSlot* o, int32_t list, int32_t entry) {
  const ObjectType* t = FindObjectType(ObjVar(o, 0));
  if (!t || !t->parameter_lists || !t->parameter_list_lengths || !Below(list, t->parameter_list_count))
    return kNoFunction;
  const int32_t* values = t->parameter_lists[list];
  if (!values || !Below(entry, t->parameter_list_lengths[list])) return kNoFunction;
  return static_cast<uint16_t>(values[entry]);
}

uint16_t TypeAnimationLabel(const ObjectSlot* o, int32_t i) {
  const ObjectType* t = FindObjectType(ObjVar(o, 0));
  if (!t || !t->animation_labels || !Below(i, t->animation_label_count)) return kNoFunction;
  return t->animation_labels[i];
}

uint16_t CharacterLabel(const PlayerRecord* p, int32_t i) {
  const Character* c = FindCharacter(p->character);
  if (!c) return kNoFunction;
  return static_cast<uint16_t>(c->label_base + static_cast<uint32_t>(i));
}

void InstallLabelLookups() {
  type_movement_label = TypeMovementLabel;
  type_animation_label = TypeAnimationLabel;
  character_label = CharacterLabel;
}

}  // namespace tolv
