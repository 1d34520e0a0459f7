// The terrain walker shared by the floor, wall and ceiling modes: one
// routine written in the mode's own frame (u along the surface, forward
// positive; n across it, towards the feet positive), turned into world
// pixels by the mode's Orientation. Positions, speeds and pending movement
// stay in the player's words, which the object pass may change between
// any two pixel steps.
#pragma once
#include <cstdint>

#include "physics/orientation.h"
#include "physics/terrain_probe.h"

namespace tolv {

// Pixel steps (and walk iterations) one movement call may take, hand-overs
// included: a script speed in the millions, or terrain that hands a player
// back and forth, must not stall the frame.
constexpr int64_t kMaxPixelSteps = 1 << 16;

enum class Phase { kAir, kWalk, kSettle, kEnd };
enum class Step { kOn, kStop, kReturn, kLanded };

template <int M>
struct Walker {
  static constexpr Orientation O = kOrientations[M];
  static constexpr int A = O.along, C = 1 - O.along;  // world axes along and across
  static constexpr uint32_t kPos[2] = {kPvX, kPvY};
  static constexpr uint32_t kSpeed[2] = {kPvSpeedX, kPvSpeedY};
  static constexpr uint32_t kPending[2] = {kPvPendingX, kPvPendingY};
  static constexpr uint32_t kParked[2] = {kPvParkedX, kPvParkedY};

  PlayerRecord* r = nullptr;
  int32_t* v = nullptr;  // the player's words
  uint8_t arg = 0;
  int p = 0;  // player index: selects the wrap and camera-limit registers
  int64_t sh = 0, ti = 0, foot_span = 0;
  int64_t L = 0, R = 0, T = 0, B = 0, L1 = 0, R1 = 0, T1 = 0, B1 = 0, CY = 0;  // box, own frame; CY the across centre
  Terrain t;
  int64_t* budget = nullptr;
  int next = -1;  // mode handed over to

  // One call of the mode's routine; the mode to continue in with
  // argument 1, or -1.
  int Run();

  // surface_walker.cpp
  bool SetUp();
  void FrameStart();
  Phase Entry();
  bool Pass(int park);
  void HandOver(int to);
  Phase AfterPassChange();
  bool EdgeReached(Side s) const;
  void Clamp(Side s);
  // air_steps.cpp
  Phase Air();
  Step StepWorld(int axis, bool negative);
  template <Dir D> Step AlongPixel();
  template <Dir D> Step AcrossPixel();
  void AirContact(Side s);
  // ground_walk.cpp
  Phase Walk();
  template <Dir D> Phase WalkDir();
  template <Dir D> bool Feet();
  // settle.cpp
  void Settle();
  bool SettleFloor();
  void SettleHead();
  template <Dir D> void SidePoint();
  template <Dir D> void SideColumn();
  template <Dir D> void SideStop(int32_t contact);
  void PushOut();
  void PickAngle(Side s, const LineScan& scan) const;

  static constexpr Side SideOf(Dir d) { return O.sides[d]; }
  int32_t& Hit(Side s) { return v[kSides[s].hit_word]; }
  uint32_t Flags() const { return static_cast<uint32_t>(v[kPvFlags]); }
  bool Has(uint32_t bit) const { return Flags() & bit; }
  bool Spend() { return (*budget)-- > 0; }

  // Own-frame views of the player's words.
  int64_t Along() const { return O.fwd * int64_t{v[kPos[A]]}; }
  int64_t Across() const { return O.feet * int64_t{v[kPos[C]]}; }
  void StepAlong(int d) { v[kPos[A]] = Add32(v[kPos[A]], O.fwd * d); }
  void StepAcross(int d) { v[kPos[C]] = Add32(v[kPos[C]], O.feet * d); }
  int64_t SpeedAlong() const { return O.fwd * int64_t{v[kSpeed[A]]}; }
  int64_t SpeedAcross() const { return O.feet * int64_t{v[kSpeed[C]]}; }
  int64_t StartAlong() const { return O.fwd * int64_t{v[kPvStartSpeedX + A]}; }
  int64_t StartAcross() const { return O.feet * int64_t{v[kPvStartSpeedX + C]}; }
  int64_t PendAlong() const { return O.fwd * int64_t{v[kPending[A]]}; }
  int64_t PendAcross() const { return O.feet * int64_t{v[kPending[C]]}; }
  void SetPendAlong(int64_t x) { v[kPending[A]] = Wrap32(O.fwd * x); }
  void SetPendAcross(int64_t x) { v[kPending[C]] = Wrap32(O.feet * x); }

  // Terrain at own-frame point (u, n), and lines of it: along the surface
  // at across n from u0, or across it at along u from n0, over count pixels.
  int64_t WorldX(int64_t u, int64_t n) const { return A == 0 ? O.fwd * u : O.feet * n; }
  int64_t WorldY(int64_t u, int64_t n) const { return A == 0 ? O.feet * n : O.fwd * u; }
  uint8_t Byte(int64_t u, int64_t n) const { return t.Byte(WorldX(u, n), WorldY(u, n)); }
  uint8_t AngleAt(int64_t u, int64_t n) const { return t.Angle(WorldX(u, n), WorldY(u, n)); }
  static int64_t WorldStart(int sign, int64_t start, int64_t count) { return sign > 0 ? start : -(start + count - 1); }
  bool AnyAlong(int64_t n, int64_t u0, int64_t count, uint8_t min) const {
    return t.Any(A, O.feet * n, WorldStart(O.fwd, u0, count), count, min);
  }
  bool AnyAcross(int64_t u, int64_t n0, int64_t count, uint8_t min) const {
    return t.Any(C, O.fwd * u, WorldStart(O.feet, n0, count), count, min);
  }
  LineScan ScanAlong(int64_t n, int64_t u0, int64_t count, uint8_t min) const {
    return t.Scan(A, O.feet * n, WorldStart(O.fwd, u0, count), count, min);
  }
  LineScan ScanAcross(int64_t u, int64_t n0, int64_t count, uint8_t min) const {
    return t.Scan(C, O.fwd * u, WorldStart(O.feet, n0, count), count, min);
  }
  // The wall line of a side: from the head inset down to the step height.
  int64_t WallCount() const { return B - sh - ti - T1; }
};

// The explicit instantiations of the members a file defines.
#define TOLV_FOR_EACH_WALKER(X) X(0) X(1) X(2) X(3)

}  // namespace tolv
