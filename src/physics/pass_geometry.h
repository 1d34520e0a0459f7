// Geometry the collision passes and the box commands share: frame boxes
// placed in the world per flip, the player's pass fields, the wrap cell walk
// and the box lists of the passes that are running.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/builtin_routines.h"
#include "objects/player_frame.h"
#include "physics/movement_frame.h"
#include "script/operands.h"
#include "script/records.h"
#include "world/sprite_frame.h"

namespace tolv {

static_assert(kWorldCentreX == kBoxCentreY + 1, "the pass fields follow the box fields");
static_assert(kWorldBottom < 18, "the pass fields end PlayerRecord::motion");

// The pass fields from the box fields and the position, and moved by
// (dx, dy) into another wrap cell.
void WriteWorldFields(PlayerRecord* r);
void ShiftWorldFields(int32_t* m, int32_t dx, int32_t dy);

// Box i of a frame's set seen with horizontal flip h and vertical flip v
// (left and right from one array, top and bottom from the other), moved to
// (x, y). A frame without mirrored boxes uses the plain ones.
inline Box PlaceBox(const Box& plain, const Box* mirrored, bool h, bool v, int32_t x, int32_t y) {
  const Box& hb = h && mirrored ? *mirrored : plain;
  const Box& vb = v && mirrored ? *mirrored : plain;
  return Box{WrapAdd(hb.left, x), WrapAdd(hb.right, x), WrapAdd(vb.top, y), WrapAdd(vb.bottom, y)};
}
inline Box PlaceBoxAt(const Box* plain, const Box* mirrored, int i, bool h, bool v, int32_t x, int32_t y) {
  return PlaceBox(plain[i], mirrored ? &mirrored[i] : nullptr, h, v, x, y);
}

// Open edges: boxes that only share an edge do not overlap.
inline bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Attack and hurt boxes of a running pass, in world pixels. Emptied, not
// freed, at the end of a pass: a warm pass allocates nothing.
struct BoxLists {
  std::vector<Box> attack, hurt;
  void Clear() {
    attack.clear();
    hurt.clear();
  }
  // Adds a frame's boxes seen with flips (h, v) at (x, y).
  void AddFrame(const SpriteFrame& f, bool h, bool v, int32_t x, int32_t y);
  // Moves every box by (dx, dy).
  void Shift(int32_t dx, int32_t dy);
};

// The lists of the innermost running pass of the current player, and of
// the innermost projectile pass; empty when none runs.
const BoxLists& CurrentPlayerLists();
const BoxLists& CollideLists();

// Wrap cells in visiting order, and the move into each from the one before
// it in wrap widths and heights: the offsets reached are (1 - column,
// 1 - row) times (W, H).
constexpr uint8_t kCellOrder[9] = {4, 3, 5, 2, 1, 0, 6, 7, 8};
constexpr int8_t kCellStep[9][2] = {{0, 0}, {1, 0}, {-2, 0}, {0, 1}, {1, 0}, {1, 0}, {0, -2}, {-1, 0}, {-1, 0}};

// Calls visit(cell, dx, dy) for the nine cells of a view in order, with the
// move into the cell; W and H (registers 47 and 49 + view) are read at each
// move. Stops when visit returns false, and says whether all were visited.
template <typename Visit>
bool WalkWrapCells(int view, Visit visit) {
  for (int i = 0; i < 9; i++) {
    int32_t dx = static_cast<int32_t>(kCellStep[i][0] * int64_t{registers[47 + view]});
    int32_t dy = static_cast<int32_t>(kCellStep[i][1] * int64_t{registers[49 + view]});
    if (!visit(kCellOrder[i], dx, dy)) return false;
  }
  return true;
}

// Passes nested deeper than this (scripts starting passes from the scripts
// a pass runs) do nothing: each level holds a C++ stack frame.
constexpr int kMaxPassDepth = 32;

// The collide object's geometry while a projectile pass runs.
struct CollideGeometry {
  int32_t left, right, top, bottom, centre_x, centre_y, x, y;
};
extern CollideGeometry collide_world;
extern uint8_t collide_cell;

// The frame a player shows to the box commands: lane 0's frame of its
// main context; none when that context has no lane.
const SpriteFrame* PlayerCurrentFrame(const PlayerRecord* r);

// Running a label claims the context's first free lane and gives it back
// afterwards when it is the last one, which would grow and shrink the lane
// arrays for every object a pass visits; a free lane kept ahead of the last
// one spares that.
void KeepSpareLane(ScriptContext* c);

void CollidePlayerWithObjects();
void RunProjectileCollisionPass();

}  // namespace tolv
