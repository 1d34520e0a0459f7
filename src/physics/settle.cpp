// The settle after the stepping: push the feet out of the surface, find the
// ground and its angle with a pass pressing on the objects below, land or
// leave the ground, then the ceiling and the two sides. Surface angles are
// picked by the world side a line faces, whatever the mode.
#include "physics/surface_walker.h"

namespace tolv {

template <int M>
void Walker<M>::PickAngle(Side s, const LineScan& scan) const {
  const SideInfo& i = kSides[s];
  if (scan.first && scan.first_angle >= i.first_lo && scan.first_angle <= i.first_hi) move_angle = scan.first_angle;
  if (scan.last && scan.last_angle >= i.last_lo && scan.last_angle <= i.last_hi) move_angle = scan.last_angle;
}

template <int M>
void Walker<M>::PushOut() {
  for (int64_t k = t.reach[C]; k-- && AnyAlong(Across() + B1, Along() + L1, R - L1, 1);) StepAcross(-1);
}

template <int M>
void Walker<M>::Settle() {
  if (SettleFloor() && t.Exists()) SettleHead();
}

// The floor settle: false when the object pass changed the mode.
template <int M>
bool Walker<M>::SettleFloor() {
  constexpr Side feet = SideOf(kFeet);
  if (!t.Exists()) {
    move_angle = O.ref;
  } else {
    if (SpeedAcross() >= 0 || v[kPvOnGround] != 0) PushOut();
    move_angle = kNoAngle;
    probe_span = static_cast<uint16_t>(R - L1);
    LineScan s = ScanAlong(Across() + B, Along() + L1, R - L1, 1);
    if (s.any) Hit(feet) = t.plane;
    PickAngle(feet, s);
  }
  if (SpeedAcross() < 0 && v[kPvOnGround] == 0) return !Pass(-1);  // rising in the air
  // The ground pass: the player presses one pixel towards the feet.
  if (move_angle > 255) move_angle = O.ref;
  SetPendAcross(PendAcross() < 0 ? 256 : PendAcross() + 256);
  object_ground_angle = kNoAngle;
  if (Pass(-1)) return false;
  if (object_ground_angle < 256) move_angle = object_ground_angle;
  if (PendAcross() > 255) SetPendAcross(PendAcross() - 256);
  if (EdgeReached(feet)) {
    Clamp(feet);
    Hit(feet) = 255;
  }
  int32_t& on_ground = v[kPvOnGround];
  if (!Hit(feet)) {
    if (on_ground) {
      v[kPvGroundSpeed] = Wrap32(SpeedAlong());
      on_ground = 0;
    }
    return true;
  }
  if (SpeedAcross() < 0 && on_ground == 0) return true;
  v[kPvGroundAngle] = move_angle;
  if (v[kPvWasOnGround] == 0 && StartAcross() > 0) {
    if (SpeedAcross() > 0) v[kSpeed[C]] = v[kPending[C]] = 0;
    if (v[kPvContactAngle] >= kNoContact) v[kPvContactAngle] = move_angle;
  }
  if (Has(kLandOnFloor)) on_ground = Hit(feet);
  return true;
}

// Step 8 and the sides: on the ground without full wall sensors the sides
// are single points, otherwise wall lines.
template <int M>
void Walker<M>::SettleHead() {
  constexpr Side head = SideOf(kHead);
  move_angle = kNoAngle;
  LineScan s = ScanAlong(Across() + T, Along() + L1, R - L1, 2);
  if (s.any) Hit(head) = t.plane;
  PickAngle(head, s);
  if (EdgeReached(head)) {
    Clamp(head);
    Hit(head) = 255;
  }
  bool airborne = v[kPvOnGround] == 0;
  if (Hit(head) && StartAcross() < 0 && airborne) {
    if (SpeedAcross() < 0) v[kSpeed[C]] = v[kPending[C]] = 0;
    if (v[kPvContactAngle] >= kNoContact) v[kPvContactAngle] = move_angle < 256 ? move_angle : kSides[head].contact;
  }
  if (airborne || Has(kFullWallSensors)) {
    SideColumn<kBack>();
    SideColumn<kFront>();
  } else {
    SidePoint<kBack>();
    SidePoint<kFront>();
  }
}

template <int M>
template <Dir D>
void Walker<M>::SidePoint() {
  if (Byte(Along() + (D == kBack ? L : R), Across() + CY) >= 2) Hit(SideOf(D)) = t.plane;
  SideStop<D>(kSides[SideOf(D)].contact);
}

template <int M>
template <Dir D>
void Walker<M>::SideColumn() {
  move_angle = kNoAngle;
  probe_span = static_cast<uint16_t>(WallCount());
  LineScan s = ScanAcross(Along() + (D == kBack ? L : R), Across() + T1 + ti, WallCount(), 2);
  if (s.any) Hit(SideOf(D)) = t.plane;
  PickAngle(SideOf(D), s);
  SideStop<D>(move_angle < 256 ? move_angle : kSides[SideOf(D)].contact);
}

// A side that was hit stops the player when it set off towards it.
template <int M>
template <Dir D>
void Walker<M>::SideStop(int32_t contact) {
  constexpr Side side = SideOf(D);
  constexpr int d = D == kBack ? -1 : 1;
  if (EdgeReached(side)) {
    Clamp(side);
    Hit(side) = 255;
  }
  if (!Hit(side) || d * StartAlong() <= 0) return;
  if (d * SpeedAlong() > 0) v[kSpeed[A]] = v[kPvGroundSpeed] = v[kPending[A]] = 0;
  if (v[kPvContactAngle] >= kNoContact) v[kPvContactAngle] = contact;
}

#define INSTANTIATE(M) template void Walker<M>::Settle();
TOLV_FOR_EACH_WALKER(INSTANTIATE)
#undef INSTANTIATE

}  // namespace tolv
