// The projectile pass: the running object (the collide object) in world
// pixels, shown to every other object the last draw of its view found, in
// each of the nine wrap cells, through the other object's Projectile
// Collision routine and script; it ends as soon as the collide object is
// deleted. Commands 844 and 845 run it from scripts.
#include "objects/draw_pass.h"
#include "objects/object_type.h"
#include "physics/pass_commands.h"
#include "physics/pass_geometry.h"
#include "physics/physics_routines.h"
#include "render/draw_routines.h"
#include "script/global_contexts.h"
#include "script/object_globals.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

CollideGeometry collide_world{};
uint8_t collide_cell = kCentreCell;

static BoxLists projectile_lists[kMaxPassDepth];
static int projectile_depth = 0;
static const BoxLists kNoLists;

const BoxLists& CollideLists() { return projectile_depth ? projectile_lists[projectile_depth - 1] : kNoLists; }

static bool Deleted(const ObjectSlot* o) { return ObjVar(o, 0) == 0; }

// Step 3: the mover's box for the object at (x, y), and its layers' boxes.
static void PlaceCollideObject(ObjectSlot* o, BoxLists& lists) {
  int32_t x = ObjVar(o, 1), y = ObjVar(o, 2);
  collide_world = CollideGeometry{WrapAdd(object_box_left, x),     WrapAdd(object_box_right, x),
                                  WrapAdd(object_box_top, y),      WrapAdd(object_box_bottom, y),
                                  WrapAdd(object_box_centre_x, x), WrapAdd(object_box_centre_y, y),
                                  x,                               y};
  uint32_t flags = static_cast<uint32_t>(ObjVar(o, 6));
  ForEachLaneFrame(o, [&](int, const SpriteFrame& f) {
    lists.AddFrame(f, flags & kFlipX, flags & kFlipY, x, y);
    return false;
  });
}

static void ShiftCollideWorld(int32_t dx, int32_t dy) {
  CollideGeometry& g = collide_world;
  for (int32_t* k : {&g.left, &g.right, &g.centre_x, &g.x}) *k = WrapAdd(*k, dx);
  for (int32_t* k : {&g.top, &g.bottom, &g.centre_y, &g.y}) *k = WrapAdd(*k, dy);
}

// The objects of one cell list meet the collide object; false once it is
// deleted.
static bool VisitProjectileCell(ObjectSlot* self, uint32_t list) {
  for (uint32_t i = 0; i < cell_object_counts[list] && i < kObjectSlotCount; i++) {
    ObjectSlot* o = cell_object_lists[list][i];
    running_slot = o;
    if (o == self) continue;
    const ObjectType* t = FindObjectType(ObjVar(o, 0));
    if (t && t->builtin_pcollision) t->builtin_pcollision();
    int32_t now = ObjVar(o, 0);
    const ObjectType* after = now > 0 ? FindObjectType(now) : nullptr;
    if (after && ObjVar(self, 0) >= 1) {
      running_slot = o;
      current_context = &pcollision_context;
      RunFunctionNow(after->pcollision_label);
    }
    if (Deleted(self)) return false;
  }
  return true;
}

void RunProjectileCollisionPass() {
  ObjectSlot* self = running_slot;
  if (self == &void_slot || projectile_depth >= kMaxPassDepth) return;
  // A pass started from a script of a running one hands it back the
  // collide object, its geometry and cell as it found them.
  ObjectSlot* outer_object = collide_object;
  CollideGeometry outer_world = collide_world;
  uint8_t outer_cell = collide_cell;
  if (projectile_view > 1) projectile_view = 0;
  int view = projectile_view;
  int32_t shift_x = projectile_shift_x, shift_y = projectile_shift_y;
  collide_object = self;
  ObjVar(self, 1) = WrapAdd(ObjVar(self, 1), shift_x);
  ObjVar(self, 2) = WrapAdd(ObjVar(self, 2), shift_y);
  BoxLists& lists = projectile_lists[projectile_depth++];
  PlaceCollideObject(self, lists);
  CollideGeometry placed = collide_world;
  KeepSpareLane(&pcollision_context);
  ObjectSlot* entry_slot = running_slot;
  current_context = &pcollision_context;
  bool whole = WalkWrapCells(view, [&](uint8_t cell, int32_t dx, int32_t dy) {
    collide_cell = cell;
    ShiftCollideWorld(dx, dy);
    lists.Shift(dx, dy);
    return VisitProjectileCell(self, view * 9 + cell);
  });
  running_slot = entry_slot;
  current_context = &pcollision_context;
  lists.Clear();
  projectile_depth--;
  if (whole) {
    ObjVar(self, 1) = WrapAdd(ObjVar(self, 1), -int64_t{shift_x});
    ObjVar(self, 2) = WrapAdd(ObjVar(self, 2), -int64_t{shift_y});
  }
  bool nested = projectile_depth > 0;
  collide_object = nested ? outer_object : &void_slot;
  collide_world = nested ? outer_world : placed;
  collide_cell = nested ? outer_cell : kCentreCell;
}

// 844: the pass for the running object.
static void CollideRunningObject() {
  PassCommandFrame frame;
  RunProjectileCollisionPass();
}

// 845: the pass for the object OD names, as if the world update were at it.
static void CollideObjectOperand() {
  PassCommandFrame frame;
  uint16_t saved_cursor = slot_cursor;
  ObjectSlot* saved_slot = running_slot;
  ObjectSlot* o = object_operand_d;
  slot_cursor = o->order_index;
  running_slot = o;
  RunProjectileCollisionPass();
  slot_cursor = saved_cursor;
  running_slot = saved_slot;
}

static const CommandDef kProjectilePassCommands[] = {
    TOLV_ALL(844, 1, CollideRunningObject, "projectile pass"),
    TOLV_ALL(845, 1, CollideObjectOperand, "projectile pass of OD"),
};

static const CommandDoc kProjectilePassDocs[] = {
    {"projectile pass", CommandArea::kMovement, {},
     "Makes the running object the collide object and lets every other object near its view (those the last "
     "draw found) react to it, in each of the nine wrap copies: the other object's built-in Projectile "
     "Collision routine, then its Projectile Collision script; the pass ends early once the collide object is "
     "deleted. The collide object's box is the object box last set by a built-in mover or by select collide "
     "object. Afterwards there is no collide object, or again the outer one for a pass run inside another."},
    {"projectile pass of OD", CommandArea::kMovement, {},
     "Runs the projectile pass for the object in object slot D, as if the world update had reached it, and "
     "then goes on with the running object."},
};
extern const CommandList projectile_pass_command_list = TOLV_DOCUMENTED(kProjectilePassCommands, kProjectilePassDocs);

}  // namespace tolv
