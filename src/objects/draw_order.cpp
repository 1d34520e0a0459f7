#include "objects/draw_order.h"

#include <cstdlib>
#include <new>

#include "objects/object_pool.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

ResortEntry* resort_list = nullptr;
uint16_t resort_count = 0;
static uint32_t resort_capacity = 0;

uint32_t ActiveObjectCount() {
  int32_t n = registers[kRegActiveObjects];
  return n < 0 ? 0u : n > kObjectSlotCount ? uint32_t{kObjectSlotCount} : static_cast<uint32_t>(n);
}

static int32_t Key(uint32_t i) { return object_slots[i]->vars[3]; }

static void Place(uint32_t i, ObjectSlot* o) {
  object_slots[i] = o;
  o->order_index = static_cast<uint16_t>(i);
}

// Moves the entry at i to `to`, shifting the entries between by one.
static void MoveEntry(uint32_t i, uint32_t to) {
  ObjectSlot* o = object_slots[i];
  for (; i > to; i--) Place(i, object_slots[i - 1]);
  for (; i < to; i++) Place(i, object_slots[i + 1]);
  Place(to, o);
}

bool QueueDrawKeyChange(ObjectSlot* o, int32_t key) {
  if (resort_count == 65535) return false;
  if (resort_count >= resort_capacity) {
    uint32_t cap = resort_capacity ? resort_capacity * 2 : 64;
    if (cap > 65535) cap = 65535;
    auto* list = static_cast<ResortEntry*>(std::realloc(resort_list, cap * sizeof(ResortEntry)));
    if (!list) throw std::bad_alloc();
    resort_list = list;
    resort_capacity = cap;
  }
  resort_list[resort_count++] = {o, key};
  return true;
}

void SortInSpawned() {
  uint32_t n = ActiveObjectCount();
  uint32_t s = spawn_count < n ? spawn_count : n;
  for (uint32_t i = n - s; i < n; i++) {
    int32_t key = Key(i);
    uint32_t to = i;
    while (to > 0 && Key(to - 1) < key) to--;
    MoveEntry(i, to);
  }
  spawn_count = 0;
}

static bool InActiveList(const ObjectSlot* o, uint32_t n) {
  return o && o->order_index < n && object_slots[o->order_index] == o && o->vars[0] != 0;
}

void ApplyResortList() {
  uint32_t n = ActiveObjectCount();
  for (uint32_t e = 0; e < resort_count; e++) {
    ObjectSlot* o = resort_list[e].slot;
    if (!InActiveList(o, n)) continue;
    int32_t k = resort_list[e].key;
    uint32_t i = o->order_index, to = i;
    if (k <= o->vars[3]) {
      while (to + 1 < n && Key(to + 1) >= k) to++;
    } else {
      while (to > 0 && Key(to - 1) < k) to--;
    }
    MoveEntry(i, to);
    o->vars[3] = k;
  }
  resort_count = 0;
}

void FreeResortList() {
  std::free(resort_list);
  resort_list = nullptr;
  resort_count = 0;
  resort_capacity = 0;
}

}  // namespace tolv
