// Spawning objects from types.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

// Creates an object at the end of the active list (last_spawned_slot).
// A draw key of 65535 takes the type's default. Returns false when the
// spawn was refused (full pool, unknown type, bad stat object or plane).
bool SpawnObject(int32_t type, int32_t x, int32_t y, int32_t draw_key, int32_t word5, int32_t flags,
                 uint32_t argc, const int32_t* args);

// Value of one spawn initialiser string.
int32_t EvalInitialiser(const char* init, int32_t x, int32_t y, uint32_t argc, const int32_t* args);

}  // namespace tolv
