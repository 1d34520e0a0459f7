// The four floor orientations as one walker sees them: each mode is the
// floor turned by a quarter turn more, with its own forward and feet
// directions. What stays tied to the world (hit words, level edges, the
// downward sensor's solidity, contact speeds, settle angle picks) is kept
// per world side.
#pragma once
#include <cstdint>

#include "physics/movement_frame.h"

namespace tolv {

enum Side : uint8_t { kSideLeft, kSideRight, kSideTop, kSideBottom };

struct SideInfo {
  uint32_t hit_word;
  uint32_t edge_bit;
  int axis;       // 0 x, 1 y
  int sign;       // -1 towards smaller coordinates
  int limit_reg;  // camera limit register of player 0
  int box_field;  // the box edge facing this side
  int32_t contact;  // contact angle of this side when no surface angle was found
  // Settle angle picks: the first and last pixel of the line in world
  // order (left to right, top to bottom) offer their tile angle to these.
  int32_t first_lo, first_hi, last_lo, last_hi;
};

inline constexpr SideInfo kSides[4] = {
    {kPvHitLeft, kEdgeLeft, 0, -1, 23, kBoxLeft, 64, 65, 127, 1, 63},
    {kPvHitRight, kEdgeRight, 0, 1, 27, kBoxRight, 192, 129, 191, 193, 255},
    {kPvHitUp, kEdgeTop, 1, -1, 25, kBoxTop, 128, 64, 127, 129, 192},
    {kPvHitDown, kEdgeBottom, 1, 1, 29, kBoxBottom, 0, 1, 64, 192, 255},
};

// Directions in the walker's own frame: along the surface (back, front)
// and across it (head, feet).
enum Dir : uint8_t { kBack, kFront, kHead, kFeet };

struct Orientation {
  int along;  // world axis of the surface: 0 x, 1 y
  int fwd;    // sign of forward on it
  int feet;   // sign of the feet on the other axis
  int32_t ref;  // surface angle of a flat surface in this mode
  Side sides[4];  // world side of each Dir
};

inline constexpr Orientation kOrientations[4] = {
    {0, 1, 1, 0, {kSideLeft, kSideRight, kSideTop, kSideBottom}},
    {1, -1, 1, 192, {kSideBottom, kSideTop, kSideLeft, kSideRight}},
    {0, -1, -1, 128, {kSideRight, kSideLeft, kSideBottom, kSideTop}},
    {1, 1, -1, 64, {kSideTop, kSideBottom, kSideRight, kSideLeft}},
};

// An inclusive window of angles.
struct Window {
  int32_t lo, hi;
  constexpr bool Has(int32_t a) const { return a >= lo && a <= hi; }
};

// A window given relative to mode 0, turned to a mode's reference angle.
// No turned window holds angle 0: one that would reach it stops at 255 or
// starts at 1 (none of them straddles it).
constexpr Window TurnWindow(Window w, int32_t ref) {
  int32_t lo = (w.lo + ref) & 255, hi = (w.hi + ref) & 255;
  return {lo ? lo : 1, hi ? hi : 255};
}

// The angle windows of one walking direction, relative to mode 0.
struct WalkWindows {
  Window launch;      // ground_angle that lets the player launch at a ledge
  Window lead_keep;   // leading foot: kept as ground_angle
  Window lead_turn;   // leading foot: hand over to lead_step
  Window trail_keep;  // trailing foot: kept as ground_angle
  Window trail_turn;  // trailing foot: hand over to trail_step
  Window trail_leave; // trailing foot: the snap is undone and the player leaves the ground
  int lead_step, trail_step;  // +1 the next mode, -1 the previous one
};

inline constexpr WalkWindows kBackWalk = {{1, 64}, {1, 64}, {33, 63}, {192, 255}, {208, 223}, {193, 207}, -1, 1};
inline constexpr WalkWindows kFrontWalk = {{192, 255}, {192, 255}, {193, 223}, {1, 64}, {33, 48}, {49, 63}, 1, -1};

constexpr WalkWindows TurnWalk(const WalkWindows& w, int32_t ref) {
  return {TurnWindow(w.launch, ref),     TurnWindow(w.lead_keep, ref),  TurnWindow(w.lead_turn, ref),
          TurnWindow(w.trail_keep, ref), TurnWindow(w.trail_turn, ref), TurnWindow(w.trail_leave, ref),
          w.lead_step,                   w.trail_step};
}

}  // namespace tolv
