// Stand-ins for the pool operations of the object world, used by the layout
// files until those land.
#include "objects/layout_pool.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

uint16_t layout_snapshot_count = 0;
ObjectRoutine layout_movers[kBuiltinMoverCount] = {};

static int ActiveCount() {
  int32_t n = registers ? registers[kRegActiveObjects] : 0;
  return n < 0 ? 0 : n > kObjectSlotCount ? kObjectSlotCount : n;
}

static int32_t DrawKey(const ObjectSlot* o) { return o->var_count > 3 ? o->vars[3] : 0; }

void LayoutSortObjects() {
  int n = ActiveCount();
  for (int i = 0; i < n; i++)
    for (int j = i + 1; j < n; j++)
      if (DrawKey(object_slots[j]) > DrawKey(object_slots[i])) {
        ObjectSlot* t = object_slots[i];
        object_slots[i] = object_slots[j];
        object_slots[j] = t;
      }
  for (int i = 0; i < n; i++) object_slots[i]->order_index = static_cast<uint16_t>(i);
}

template <typename T>
static void CopyArray(T*& to, const T* from, unsigned n) {
  std::free(to);
  to = nullptr;
  if (!n) return;
  to = static_cast<T*>(std::malloc(n * sizeof(T)));
  if (!to) throw std::bad_alloc();
  std::memcpy(to, from, n * sizeof(T));
}

static void CopyLanes(ScriptContext& to, const ScriptContext& from) {
  CopyArray(to.lane_funcs, from.lane_funcs, from.lane_count);
  CopyArray(to.lane_pcs, from.lane_pcs, from.lane_count);
  to.lane_count = from.lane_count;
}

void LayoutCopyContexts(ObjectSlot* from, ObjectSlot* to) {
  TouchLanes();
  const TimedScriptContext& fa = from->animation_ctx;
  TimedScriptContext& ta = to->animation_ctx;
  CopyLanes(ta, fa);
  unsigned n = fa.lane_count;
  CopyArray(ta.wait_acc, fa.wait_acc, n);
  CopyArray(ta.wait_step, fa.wait_step, n);
  CopyArray(ta.wait_limit, fa.wait_limit, n);
  CopyArray(ta.frame_values, fa.frame_values, n);
  CopyArray(ta.param1, fa.param1, n);
  CopyArray(ta.param2, fa.param2, n);
  CopyArray(ta.counters, fa.counters, fa.counter_len);
  ta.counter_len = fa.counter_len;
  CopyLanes(to->movement_ctx, from->movement_ctx);
  CopyLanes(to->drawing_ctx, from->drawing_ctx);
  to->mover = from->mover;
  CopyArray(to->vars, from->vars, from->var_count);
  to->var_count = from->var_count;
}

}  // namespace tolv
