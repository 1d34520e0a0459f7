// The ground walk: pixel by pixel along the surface, stopping at walls,
// the feet following the surface up and down by at most the step height,
// launching off ledges, and handing the player to the neighbouring mode
// where the surface turns too far.
#include "physics/surface_walker.h"

namespace tolv {

template <int M>
Phase Walker<M>::Walk() {
  if (PendAlong() < -255) return WalkDir<kBack>();
  if (PendAlong() >= 256) return WalkDir<kFront>();
  return v[kPvOnGround] ? Phase::kSettle : Phase::kAir;
}

template <int M>
template <Dir D>
Phase Walker<M>::WalkDir() {
  constexpr int d = D == kBack ? -1 : 1;
  constexpr Side side = SideOf(D);
  const int64_t edge = d < 0 ? L : R;
  while (d < 0 ? PendAlong() < -255 : PendAlong() >= 256) {
    if (!Spend()) break;
    bool wall = Has(kFullWallSensors) ? AnyAcross(Along() + edge, Across() + T1 + ti, WallCount(), 2)
                                      : Byte(Along() + edge, Across() + CY) >= 2;
    if (wall) Hit(side) = t.plane;
    if (EdgeReached(side)) Hit(side) = 255;
    if (Pass(-1)) return AfterPassChange();
    if (v[kPvOnGround] == 0) return Phase::kAir;  // the object lifted the player
    if (Hit(side)) {
      if (d * SpeedAlong() <= 0) {  // pushed away from the wall: the pixel is used up
        SetPendAlong(PendAlong() - d * 256);
        continue;
      }
      v[kSpeed[A]] = v[kPvGroundSpeed] = v[kPending[A]] = 0;
      break;
    }
    StepAlong(d);
    if (v[kPvOnGround] > 0 && !probe_hit && t.Exists() && !Feet<D>()) return Phase::kEnd;
    SetPendAlong(PendAlong() - d * 256);
  }
  return v[kPvOnGround] ? Phase::kSettle : Phase::kAir;
}

// The feet after a pixel along the surface: the leading foot climbs, or
// the player launches off the ledge, or the trailing foot follows the
// surface down; then the surface angle under the foot that moved. False
// when the player was handed to another mode.
template <int M>
template <Dir D>
bool Walker<M>::Feet() {
  constexpr WalkWindows w = TurnWalk(D == kBack ? kBackWalk : kFrontWalk, O.ref);
  const int64_t lead = D == kBack ? L1 : R1, trail = D == kBack ? R1 : L1;
  StepAcross(1);
  bool found = false;
  for (int64_t k = t.reach[C]; k-- && Byte(Along() + lead, Across() + B1) >= 1;) {
    StepAcross(-1);
    found = true;
  }
  probe_hit = found;
  bool launched = false;
  if (!found) {
    StepAcross(-1);
    floor_probe_y = v[kPos[C]];
    // Both foot scans cover the sh + 1 rows ending sh below the feet; the
    // count is a byte, so a step height of 255 scans nothing.
    const int64_t deepest = Across() + B + sh, top = deepest - foot_span + 1;
    if (Has(kGroundSpeedDrives) && w.launch.Has(v[kPvGroundAngle]) &&
        !AnyAcross(Along() + lead, top, foot_span, 1)) {
      v[kPvOnGround] = 0;
      v[kPvGroundSpeed] = Wrap32(SpeedAlong());
      launched = true;
    }
    for (int64_t n = top; !launched && n <= deepest; n++) {
      if (Byte(Along() + trail, n) < 1) continue;
      StepAcross(static_cast<int>(n - B - Across()));
      break;
    }
  }
  if (!Has(kFollowSlopes)) return true;
  int32_t& ground_angle = v[kPvGroundAngle];
  if (found) {
    int32_t a = AngleAt(Along() + lead, Across() + B1 + 1);
    ground_angle = w.lead_keep.Has(a) ? a : O.ref;
    if (w.lead_turn.Has(a)) return HandOver((M + w.lead_step) & 3), false;
  } else if (v[kPos[C]] != floor_probe_y) {
    int32_t a = AngleAt(Along() + trail, O.feet * int64_t{floor_probe_y} + B);
    ground_angle = w.trail_keep.Has(a) ? a : O.ref;
    if (w.trail_turn.Has(a)) return HandOver((M + w.trail_step) & 3), false;
    if (w.trail_leave.Has(a)) {
      v[kPos[C]] = floor_probe_y;
      v[kPvOnGround] = 0;
      v[kPvGroundSpeed] = Wrap32(SpeedAlong());
    }
  }
  return true;
}

#define INSTANTIATE(M) template Phase Walker<M>::Walk();
TOLV_FOR_EACH_WALKER(INSTANTIATE)
#undef INSTANTIATE

}  // namespace tolv
