#include "objects/stat_obj_hooks.h"

namespace tolv {

static int32_t NoStatObj(uint32_t) { return 0; }
static void NoFree(int32_t) {}
static void NoDraw() {}

ScopeCounts stat_obj_def_counts;
int32_t (*build_stat_obj)(uint32_t def) = NoStatObj;
void (*free_stat_obj)(int32_t instance) = NoFree;
void (*draw_stat_obj)() = NoDraw;
uint16_t pause_function = 65535;
uint16_t pause_stat_obj = 65535;
ObjectSlot* pause_slot = &void_slot;

}  // namespace tolv
