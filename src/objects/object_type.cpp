#include "objects/object_type.h"

#include <cstdlib>
#include <new>

namespace tolv {

ObjectType* object_types = nullptr;
ScopeCounts object_type_counts;

static void FreeType(ObjectType& ty) {
  for (uint32_t v = 0; ty.initialisers && v < ty.variable_count; v++) std::free(ty.initialisers[v]);
  for (uint32_t l = 0; ty.parameter_lists && l < ty.parameter_list_count; l++) std::free(ty.parameter_lists[l]);
  for (void* p : {static_cast<void*>(ty.initialisers), static_cast<void*>(ty.sprite_lists),
                  static_cast<void*>(ty.animation_labels), static_cast<void*>(ty.sounds),
                  static_cast<void*>(ty.type_list), static_cast<void*>(ty.parameter_list_lengths),
                  static_cast<void*>(ty.parameter_lists)})
    std::free(p);
  ty = ObjectType{};
}

void ResizeObjectTypes(uint32_t old, uint32_t total) {
  for (uint32_t t = total; t < old; t++) FreeType(object_types[t]);
  void* p = std::realloc(static_cast<void*>(object_types), (total ? total : 1) * sizeof(ObjectType));
  if (!p) throw std::bad_alloc();
  object_types = static_cast<ObjectType*>(p);
  for (uint32_t t = old; t < total; t++) new (&object_types[t]) ObjectType{};
}

void FreeObjectTypes(int drop) {
  uint32_t old = object_type_counts.total;
  ResizeObjectTypes(old, DropScopes(object_type_counts, drop));
}

}  // namespace tolv
