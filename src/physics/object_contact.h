// What the commands that move a player against the running object read:
// the object's frame box and the player's world box in world pixels, and
// the walk of an object's movement back pixel by pixel over both axes.
#pragma once
#include <cstdint>
#include <cstdlib>

#include "physics/physics_routines.h"
#include "script/records.h"

namespace tolv {

enum EdgeIndex : int { kLeft, kRight, kTop, kBottom };
struct Edges {
  int64_t e[4];
};

// The object's frame box (its flip bits choosing plain or mirrored bounds
// per axis) at its position; without a frame, the position itself.
Edges ObjectFrameEdges(const ObjectSlot* o);
// The player's world box as the last pass or region command left it.
Edges PlayerWorldEdges(const PlayerRecord* r);

// Walks a movement (mx, my) in 8.8 back pixel by pixel, both axes together:
// the axis with more to go steps every time, the other each time its share
// adds up to it; an axis steps while 256 or more remain, at most
// kMaxStepsPerFrame times. step(axis, remaining) sees what was left before
// the step; returning false ends the walk.
template <typename Step>
void WalkMovement(int64_t mx, int64_t my, Step step) {
  const int64_t cap = kMaxStepsPerFrame * 256 + 255;
  int64_t rem[2] = {mx > cap ? cap : mx < -cap ? -cap : mx, my > cap ? cap : my < -cap ? -cap : my};
  auto outside = [&](int a) { return rem[a] >= 256 || rem[a] <= -256; };
  auto take = [&](int a) { rem[a] += rem[a] < 0 ? 256 : -256; };
  while (outside(0) || outside(1)) {
    int major = std::llabs(rem[0]) > std::llabs(rem[1]) ? 0 : 1, minor = 1 - major;
    int64_t big = std::llabs(rem[major]), small = std::llabs(rem[minor]);
    for (int64_t acc = 0; outside(major);) {
      if (!step(major, rem)) return;
      take(major);
      acc += small;
      if (acc < big) continue;
      acc -= big;
      if (!outside(minor)) continue;
      if (!step(minor, rem)) return;
      take(minor);
    }
  }
}

}  // namespace tolv
