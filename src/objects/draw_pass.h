// The object half of the draw pass: which objects each view shows, in which
// wrap cell, and their Drawing routines and lanes.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

constexpr uint8_t kCentreCell = 4;
constexpr uint8_t kUnseen = 255;

// Per view and wrap cell (view x 9 + cell) the objects found there by the
// last draw of that view, in list order; counts in cell_object_counts.
extern ObjectSlot* cell_object_lists[18][kObjectSlotCount];

// Draws the special objects (plane objects, stat objects, players'
// objects) at their place in the list; installed by the renderer.
extern void (*draw_special_object)(ObjectSlot* o);

// Wrap cell (0-8, 4 the view itself) in which view v (0 or 1) shows a
// point, or kUnseen: the view widened by 160 pixels on every side, and with
// level wrap on its copies a wrap width or height away.
uint8_t ObjectViewCell(int v, int32_t x, int32_t y);
// For each active object in list order: its range_state and cell list
// entry for view v, then its type's Drawing routine and Drawing lanes.
void DrawSceneObjects(int v);
// The draw pass of view v: planes and stat objects through the renderer's
// slots, the objects through DrawSceneObjects.
void DrawScene(int v);

}  // namespace tolv
