#include "objects/draw_pass.h"

#include <algorithm>

#include "objects/builtin_routines.h"
#include "objects/draw_frame_command.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/players.h"
#include "objects/stat_obj_hooks.h"
#include "render/draw_routines.h"
#include "script/count_slot.h"
#include "script/global_contexts.h"
#include "script/machine_state.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

ObjectSlot* cell_object_lists[18][kObjectSlotCount];
uint8_t box_outlines = 0;

constexpr int32_t kFirstUnlistedType = 9993;

// Screen coordinates beyond this are as good as infinite for clip_line and
// keep its arithmetic in range.
static int32_t ScreenCoordinate(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -(1 << 28), 1 << 28)); }

static void OutlineEdge(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint8_t colour) {
  int32_t a = ScreenCoordinate(x1), b = ScreenCoordinate(y1), c = ScreenCoordinate(x2), d = ScreenCoordinate(y2);
  if (!draw_routines.clip_line(&a, &b, &c, &d)) return;
  if (b == d) draw_routines.draw_hline(std::min(a, c), b, std::max(a, c), colour);
  else draw_routines.draw_vline(a, std::min(b, d), std::max(b, d), colour);
}

void OutlineBox(int64_t left, int64_t right, int64_t top, int64_t bottom, uint8_t colour) {
  int64_t cx = registers[kRegCameraX], cy = registers[kRegCameraY];
  left -= cx, right -= cx, top -= cy, bottom -= cy;
  OutlineEdge(left, top, right, top, colour);
  OutlineEdge(left, bottom, right, bottom, colour);
  OutlineEdge(left, top, left, bottom, colour);
  OutlineEdge(right, top, right, bottom, colour);
}

// Boxes of a frame drawn at (x, y), each axis mirrored when flipped.
static void OutlineFrameBoxes(const SpriteFrame* f, int64_t x, int64_t y, uint32_t flip) {
  auto outline = [&](const Box& plain, const Box& mirrored, uint8_t colour) {
    const Box& h = flip & kFlipX ? mirrored : plain;
    const Box& v = flip & kFlipY ? mirrored : plain;
    OutlineBox(x + h.left, x + h.right, y + v.top, y + v.bottom, colour);
  };
  outline(f->box, f->mirrored_box, kMainBoxColour);
  for (int i = 0; i < f->attack_count && f->attack_boxes && f->mirrored_attack_boxes; i++)
    outline(f->attack_boxes[i], f->mirrored_attack_boxes[i], kAttackBoxColour);
  for (int i = 0; i < f->hurt_count && f->hurt_boxes && f->mirrored_hurt_boxes; i++)
    outline(f->hurt_boxes[i], f->mirrored_hurt_boxes[i], kHurtBoxColour);
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
  if (box_outlines && o->vars[0] > 0)
    if (const SpriteFrame* f = CurrentFrame(o)) OutlineFrameBoxes(f, o->vars[1], o->vars[2], uint32_t(o->vars[6]));
}

// A plane object draws its plane while active in the view being drawn
// (register 1); a plane index a level change left behind draws nothing.
static void DrawPlaneObject(const ObjectSlot* o) {
  if (!ObjVar(o, 8u + static_cast<uint32_t>(registers[kRegView]))) return;
  int32_t i = ObjVar(o, 7);
  if (!planes || i < 0 || i >= plane_count) return;
  const TilePlane* p = &planes[i];
  if (p->type >= kPlaneTypes) return;
  (p->flags & 1 ? draw_routines.draw_plane_opaque : draw_routines.draw_plane)[p->type](p);
}

// A player's object shows each running main lane's frame of its character,
// flipped by its flip words.
static void DrawPlayerObject(const ObjectSlot* o) {
  int32_t p = ObjVar(o, 7);
  if (p < 0 || p >= kMaxPlayers) return;
  PlayerRecord* r = &player_records[p];
  const SpriteSet* frames = r->frames;
  if (!frames || !frames->frames || !r->player_vars) return;
  uint32_t flip = (PVar(r, kPvFlipX) ? kFlipX : 0u) | (PVar(r, kPvFlipY) ? kFlipY : 0u);
  int32_t x = PVar(r, kPvX), y = PVar(r, kPvY);
  const TimedScriptContext& m = r->main_ctx;
  for (int i = 0; i < m.lane_count; i++) {
    if (m.lane_funcs[i] >= m.function_count || m.frame_values[i] >= frames->frame_count) continue;
    const SpriteFrame* f = &frames->frames[m.frame_values[i]];
    draw_routines.draw_sprite[flip](f, registers[kRegCameraX], registers[kRegCameraY], x, y);
    if (box_outlines && i == 0) OutlineFrameBoxes(f, x, y, flip);
  }
}

static void DrawLayout(ObjectSlot* o) {
  SavedMachineState keep;
  running_slot = o;
  draw_stat_obj();
}

static void DrawSpecialObject(ObjectSlot* o, int v) {
  switch (o->vars[0]) {
    case kTypePlaneSwitch: return DrawPlaneObject(o);
    case kTypePlayerObject: return DrawPlayerObject(o);
    case kTypeHud:
      if (ObjVar(o, 8) == v) DrawLayout(o);
      return;
    case kTypePauseMenu: return DrawLayout(o);
    default: return;
  }
}

void DrawSceneObjects(int v) {
  if (v < 0 || v > 1) return;
  CountSlotGuard count(CountLoopInObjectVars);
  uint16_t* counts = &cell_object_counts[v * 9];
  for (int c = 0; c < 9; c++) counts[c] = 0;
  for (uint32_t i = 0; i < ActiveObjectCount(); i++) {
    ObjectSlot* o = object_slots[i];
    int32_t t = o->vars[0];
    if (t >= kFirstUnlistedType) {
      DrawSpecialObject(o, v);
      continue;
    }
    const ObjectType* type = t >= 1 ? FindObjectType(t) : nullptr;
    if (!type) continue;
    uint8_t cell = ObjectViewCell(v, o->vars[1], o->vars[2]);
    if (cell != kUnseen) DrawObject(o, type, cell, counts, v);
  }
}

void RunDebugDrawing(const ObjectType* t) {
  SavedMachineState keep;
  CountSlotGuard count(CountLoopInRegisters);
  if (t->builtin_dbdraw) t->builtin_dbdraw();
  if (t->dbdraw_label != 65535) {
    current_context = &dbdraw_context;
    RunFunctionNow(t->dbdraw_label);
  }
}

// The cursor of a player placing objects: the selected type's debug
// drawing, with command 1408 drawing at the cursor for the time of it.
static void DrawPlacementCursor(int v) {
  if (v < 0 || v >= kMaxPlayers) return;
  PlayerRecord* r = &player_records[v];
  if (!r->player_vars || PVar(r, kPvMovementMode) != 8) return;
  int32_t i = PVar(r, kPvDebugType);
  if (!debug_types || i < 0 || i >= debug_type_count) return;
  const ObjectType* t = FindObjectType(debug_types[i]);
  if (!t) return;
  script_commands[kDrawFrameCommand] = DrawPlayerObjectFrame;
  RunDebugDrawing(t);
  script_commands[kDrawFrameCommand] = DrawObjectFrame;
}

void DrawScene(int v) {
  SavedMachineState keep;
  DrawSceneObjects(v);
  DrawPlacementCursor(v);
}

}  // namespace tolv
