// The draw pass of one view: plane objects through the plane slots,
// objects through their Drawing routines and lanes (filling the wrap-cell
// lists), players, layouts and the debug placement cursor.
#pragma once
#include <cstdint>

#include "objects/object_type.h"
#include "script/records.h"
#include "world/view_region.h"

namespace tolv {

constexpr uint8_t kCentreCell = kViewItself;
constexpr uint8_t kUnseen = kNoViewRegion;

// Per view and wrap cell (view x 9 + cell) the objects found there by the
// last draw of that view, in list order; counts in cell_object_counts.
extern ObjectSlot* cell_object_lists[18][kObjectSlotCount];

// Non-zero: each drawn object's and player's boxes are outlined (main box,
// attack boxes, hurt boxes in the colours below).
extern uint8_t box_outlines;
constexpr uint8_t kMainBoxColour = 255, kAttackBoxColour = 254, kHurtBoxColour = 253;

// Wrap cell (0-8, 4 the view itself) in which view v (0 or 1) shows a
// point, or kUnseen: the draw pass's name for the view region.
inline uint8_t ObjectViewCell(int v, int32_t x, int32_t y) { return ViewRegion(v, x, y); }
// For each active object in list order: special types drawn by kind, other
// objects their range_state and cell list entry for view v, then their
// type's Drawing routine and Drawing lanes.
void DrawSceneObjects(int v);
// The whole pass of view v (register 9 and the camera registers already
// hold that view's player and camera).
void DrawScene(int v);
// The type's Debug Drawing routine and label, run for the current
// player's placement cursor (words 3, 4 and 35); whoever calls it puts the
// placement form of command 1408 in place around it.
void RunDebugDrawing(const ObjectType* t);
// Outlines a world box (edges inclusive) at the camera of registers 17, 18.
void OutlineBox(int64_t left, int64_t right, int64_t top, int64_t bottom, uint8_t colour);

}  // namespace tolv
