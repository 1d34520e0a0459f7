// Airborne stepping: the pending movement of both world axes interleaved
// pixel by pixel (the larger axis leads), each pixel against the terrain
// ahead of it, with an object pass after every sensor test.
#include "physics/surface_walker.h"

#include <cstdlib>

namespace tolv {

static bool Outside(int32_t pending) { return pending < -255 || pending > 255; }

static void TowardZero(int32_t& pending) {
  if (pending > 255) pending -= 256;
  else if (pending < -255) pending += 256;
}

template <int M>
Phase Walker<M>::Air() {
  if (arg == 0 && v[kPvWasOnGround] == 0) {
    v[kPvPendingX] = Add32(v[kPvPendingX], v[kPvSpeedX]);
    v[kPvPendingY] = Add32(v[kPvPendingY], v[kPvSpeedY]);
  }
  auto after = [](Step s) { return s == Step::kReturn ? Phase::kEnd : s == Step::kStop ? Phase::kSettle : Phase::kWalk; };
  for (;;) {
    int64_t ax = std::abs(int64_t{v[kPvPendingX]}), ay = std::abs(int64_t{v[kPvPendingY]});
    int major = ax > ay ? 0 : 1, minor = major ^ 1;
    int64_t major_size = major ? ay : ax, minor_size = major ? ax : ay;
    if (!Outside(v[kPending[major]])) return Phase::kSettle;
    for (int64_t acc = 0; Outside(v[kPending[major]]);) {
      if (!Spend()) return Phase::kSettle;
      Step s = StepWorld(major, v[kPending[major]] < 0);
      if (s != Step::kOn) return after(s);
      acc += minor_size;
      if (acc >= major_size) {
        if (Outside(v[kPending[minor]])) {
          s = StepWorld(minor, v[kPending[minor]] < 0);
          if (s == Step::kLanded) TowardZero(v[kPending[major]]);  // the major pixel just stepped
          if (s != Step::kOn) return after(s);
          TowardZero(v[kPending[minor]]);
        }
        acc -= major_size;
      }
      TowardZero(v[kPending[major]]);
    }
  }
}

// One pixel in a world direction is one of the four own-frame cases.
template <int M>
Step Walker<M>::StepWorld(int axis, bool negative) {
  if (axis == A) return negative == (O.fwd < 0) ? AlongPixel<kFront>() : AlongPixel<kBack>();
  return negative == (O.feet < 0) ? AcrossPixel<kFeet>() : AcrossPixel<kHead>();
}

// The sensor that scans below the box for a downward pixel stands on
// platforms; the others see only solid bytes.
static constexpr uint8_t AirTest(Side s) { return s == kSideBottom ? 1 : 2; }

// Contact speeds follow the world: a wall stops the x and ground speeds,
// a floor or ceiling only the y speed moving into it.
template <int M>
void Walker<M>::AirContact(Side s) {
  int32_t& sx = v[kPvSpeedX];
  int32_t& sy = v[kPvSpeedY];
  if (s == kSideLeft ? sx < 0 : s == kSideRight ? sx > 0 : false) sx = v[kPvGroundSpeed] = 0;
  if (s == kSideTop && sy < 0) sy = 0;
  if (s == kSideBottom && sy > 0) sy = 0;
}

template <int M>
template <Dir D>
Step Walker<M>::AlongPixel() {
  constexpr int d = D == kBack ? -1 : 1;
  constexpr Side side = SideOf(D);
  const int64_t edge = d < 0 ? L : R, inner = d < 0 ? L1 : R1;
  if (AnyAcross(Along() + edge, Across() + T1 + ti, WallCount(), AirTest(side))) Hit(side) = t.plane;
  if (EdgeReached(side)) Hit(side) = 255;
  if (Pass(C)) return Step::kReturn;
  if (Hit(side)) {
    AirContact(side);
    v[kPending[A]] = 0;
    if (!Has(kStopOnContact) || arg == 2) return Step::kOn;
    v[kParked[C]] = v[kPending[C]];
    v[kPending[C]] = 0;
    return Step::kStop;
  }
  StepAlong(d);
  for (int64_t k = t.reach[C]; k-- && Byte(Along() + inner, Across() + T1) >= 2;) {
    Hit(SideOf(kHead)) = t.plane;
    StepAcross(1);
  }
  if (SpeedAcross() >= 0) {
    for (int64_t k = t.reach[C]; k-- && Byte(Along() + inner, Across() + B1) >= 1;) {
      Hit(SideOf(kFeet)) = t.plane;
      StepAcross(-1);
    }
  }
  return Step::kOn;
}

template <int M>
template <Dir D>
Step Walker<M>::AcrossPixel() {
  constexpr int d = D == kHead ? -1 : 1;
  constexpr Side side = SideOf(D);
  if (AnyAlong(Across() + (d < 0 ? T : B), Along() + L1, R - L1, AirTest(side))) Hit(side) = t.plane;
  if (EdgeReached(side)) Hit(side) = 255;
  if (Pass(A)) return Step::kReturn;
  if (!Hit(side)) {
    StepAcross(d);
    return Step::kOn;
  }
  AirContact(side);
  v[kPending[C]] = 0;
  if (Has(kStopOnContact) && arg != 2) {
    v[kParked[A]] = v[kPending[A]];
    v[kPending[A]] = 0;
    return Step::kStop;
  }
  if (D == kHead || SpeedAcross() < 0 || !Has(kLandOnFloor)) return Step::kOn;
  v[kPvOnGround] = Hit(side);
  return Step::kLanded;
}

#define INSTANTIATE(M) \
  template Phase Walker<M>::Air();
TOLV_FOR_EACH_WALKER(INSTANTIATE)
#undef INSTANTIATE

}  // namespace tolv
