#include "objects/draw_pass.h"

#include "objects/draw_order.h"
#include "objects/object_type.h"
#include "render/draw_routines.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

ObjectSlot* cell_object_lists[18][kObjectSlotCount];

static void NoSpecialDraw(ObjectSlot*) {}
void (*draw_special_object)(ObjectSlot* o) = NoSpecialDraw;

constexpr int64_t kMargin = 160;
constexpr int32_t kFirstUnlistedType = 9993;

static bool Within(int64_t v, int64_t lo, int64_t hi) { return lo <= v && v <= hi; }

uint8_t ObjectViewCell(int v, int32_t x, int32_t y) {
  const int32_t* R = registers;
  int64_t cx = R[19 + v], cy = R[21 + v], fw = R[13], fh = R[14];
  int64_t w = R[47 + v], h = R[49 + v];
  bool in_x = Within(x, cx - kMargin, cx + fw + kMargin);
  bool in_y = Within(y, cy - kMargin, cy + fh + kMargin);
  if (in_x && in_y) return kCentreCell;
  bool hwrap = R[39 + v] != 0;
  bool right = hwrap && Within(x, cx + w - kMargin, int64_t{R[35 + v]} + kMargin);
  bool left = hwrap && !right && Within(x, int64_t{R[31 + v]} - kMargin, cx - w + fw + kMargin);
  uint8_t cell = kUnseen;
  if (in_y) cell = right ? 3 : left ? 5 : kUnseen;
  if (!R[41 + v]) return cell;
  int row;  // 0: a wrap height below the view, 2: above
  if (Within(y, cy + h - kMargin, int64_t{R[37 + v]} + kMargin)) row = 0;
  else if (Within(y, int64_t{R[33 + v]} - kMargin, cy - h + fh + kMargin)) row = 2;
  else return cell;
  if (in_x) return static_cast<uint8_t>(row * 3 + 1);
  if (right) return static_cast<uint8_t>(row * 3);
  if (left) return static_cast<uint8_t>(row * 3 + 2);
  return cell;
}

static void DrawObject(ObjectSlot* o, const ObjectType* t, uint8_t cell, uint16_t* counts, int v) {
  o->range_state = cell;
  if (counts[cell] < kObjectSlotCount) cell_object_lists[v * 9 + cell][counts[cell]++] = o;
  running_slot = o;
  if (t->builtin_drawing) t->builtin_drawing();
  if (o->vars[0] <= 0) return;
  running_slot = o;
  current_context = &o->drawing_ctx;
  RunLanes();
}

void DrawSceneObjects(int v) {
  if (v < 0 || v > 1) return;
  uint16_t* counts = &cell_object_counts[v * 9];
  for (int c = 0; c < 9; c++) counts[c] = 0;
  for (uint32_t i = 0; i < ActiveObjectCount(); i++) {
    ObjectSlot* o = object_slots[i];
    int32_t t = o->vars[0];
    if (t >= kFirstUnlistedType) {
      draw_special_object(o);
      continue;
    }
    const ObjectType* type = t >= 1 ? FindObjectType(t) : nullptr;
    if (!type) continue;
    uint8_t cell = ObjectViewCell(v, o->vars[1], o->vars[2]);
    if (cell != kUnseen) DrawObject(o, type, cell, counts, v);
  }
}

void DrawScene(int v) { DrawSceneObjects(v); }

}  // namespace tolv
