#include "objects/object_map.h"

namespace tolv {

// Type variable i is block word 7 + i.
constexpr int64_t kTypeVars = 7;

bool ObjectMap::Load(const ObjectSlot* o) {
  if (!o->vars || o->var_count <= kTypeVars) return false;
  int64_t k = kTypeVars + int64_t{o->vars[kTypeVars]};
  if (k < kTypeVars || k + 3 > o->var_count) return false;
  width = static_cast<uint8_t>(o->vars[k]);
  int64_t height = static_cast<uint8_t>(o->vars[k + 1]);
  if (k + 3 + width * height > o->var_count) return false;
  ids = o->vars + k + 3;
  layer_word = static_cast<uint32_t>(k + 2);
  W = width * 8;
  H = height * 8;
  left = int64_t{o->vars[1]} - width * 4;
  top = int64_t{o->vars[2]} - height * 4;
  return true;
}

}  // namespace tolv
