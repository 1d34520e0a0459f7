// The walker's call: set-up, frame start, entry, the object pass between
// pixel steps, hand-overs and level edges; and the four terrain routines.
#include "physics/surface_walker.h"

#include "objects/collision_passes.h"
#include "script/angle_tables.h"
#include "script/operands.h"
#include "world/tile_plane.h"

namespace tolv {

template <int M>
bool Walker<M>::SetUp() {
  r = current_player;
  v = r->player_vars;
  if (!v || player_register_count < kPvWordCount) return false;
  p = r->index;
  sh = static_cast<uint8_t>(CharVar(kCharStepHeight));
  ti = static_cast<uint8_t>(CharVar(kCharWallTopInset));
  foot_span = static_cast<uint8_t>(sh + 1);
  SetPlayerBox(r, (M & 1) && Has(kTurnedBox));
  const int32_t* b = r->motion;
  // Each own-frame side is a world box edge, negated where the mode's
  // direction runs against the world axis.
  auto edge = [&](Dir d, int sign, bool inner) {
    return sign * int64_t{b[kSides[SideOf(d)].box_field + (inner ? kBoxLeftIn : 0)]};
  };
  L = edge(kBack, O.fwd, false), R = edge(kFront, O.fwd, false);
  T = edge(kHead, O.feet, false), B = edge(kFeet, O.feet, false);
  L1 = edge(kBack, O.fwd, true), R1 = edge(kFront, O.fwd, true);
  T1 = edge(kHead, O.feet, true), B1 = edge(kFeet, O.feet, true);
  CY = O.feet * int64_t{b[kBoxCentreX + C]};
  t.Load(v[kPvPlane], p);
  return true;
}

template <int M>
void Walker<M>::FrameStart() {
  if (Has(kGroundSpeedDrives)) {
    int64_t g = v[kPvGroundSpeed];
    if (v[kPvOnGround]) {
      uint32_t a = AngleIndex(v[kPvGroundAngle]);
      v[kPvSpeedX] = Wrap32((cos_table[a] * g) >> 8);
      v[kPvSpeedY] = Wrap32((sin_table[a] * g) >> 8);
    } else {
      v[kSpeed[A]] = Wrap32(O.fwd * g);
    }
  }
  StartMovementFrame(v);
}

template <int M>
Phase Walker<M>::Entry() {
  int32_t ground = v[kPvOnGround];
  if (ground == 0) return Phase::kAir;
  if (ground >= plane_count) return Phase::kSettle;  // on the level edge: settle only
  int32_t& pending = v[kPending[A]];
  if (arg == 0) {
    pending = Add32(pending, v[kSpeed[A]]);
  } else if (arg == 1) {
    // The pixel the handing routine stepped counts; the rule reads the
    // world word as it is, in every mode.
    pending = Add32(pending, pending <= 256 ? 256 : -256);
  }
  return Phase::kWalk;
}

template <int M>
bool Walker<M>::Pass(int park) {
  probe_hit = 0;
  if (park >= 0) {
    v[kParked[park]] = v[kPending[park]];
    v[kPending[park]] = 0;
  }
  collide_player_with_objects();
  v = r->player_vars;
  if (!v) return true;
  if (park >= 0) {
    v[kPending[park]] = v[kParked[park]];
    v[kParked[park]] = 0;
  }
  t.Load(v[kPvPlane], p);
  return v[kPvMovementMode] != M;
}

template <int M>
void Walker<M>::HandOver(int to) {
  v[kPvMovementMode] = to;
  v[kPending[C]] = Wrap32(kOrientations[to].fwd * PendAlong());
  v[kPending[A]] = 0;
  next = to;
}

// The object pass changed the mode during the ground walk: a neighbour
// mode continues the step.
template <int M>
Phase Walker<M>::AfterPassChange() {
  int32_t mode = v ? v[kPvMovementMode] : -1;
  if (mode == ((M + 1) & 3) || mode == ((M + 3) & 3)) next = mode;
  return Phase::kEnd;
}

template <int M>
bool Walker<M>::EdgeReached(Side s) const {
  const SideInfo& i = kSides[s];
  if (!Has(i.edge_bit) || t.wrap[i.axis].on) return false;
  int64_t limit = int64_t{Cell(registers, register_count, i.limit_reg + p)} - i.sign - r->motion[i.box_field];
  int64_t pos = v[kPos[i.axis]];
  return i.sign < 0 ? pos <= limit : pos >= limit;
}

template <int M>
void Walker<M>::Clamp(Side s) {
  const SideInfo& i = kSides[s];
  v[kPos[i.axis]] = Wrap32(int64_t{Cell(registers, register_count, i.limit_reg + p)} - i.sign - r->motion[i.box_field]);
}

template <int M>
int Walker<M>::Run() {
  if (!SetUp()) return -1;
  if (arg == 0) FrameStart();
  Phase phase = Entry();
  while (phase != Phase::kEnd) {
    switch (phase) {
      case Phase::kAir: phase = Air(); break;
      case Phase::kWalk: phase = Walk(); break;
      default: Settle(); phase = Phase::kEnd; break;
    }
  }
  return next;
}

#define INSTANTIATE(M) template struct Walker<M>;
TOLV_FOR_EACH_WALKER(INSTANTIATE)
#undef INSTANTIATE

template <int M>
static int RunWalker(uint8_t arg, int64_t* budget) {
  Walker<M> w;
  w.arg = arg;
  w.budget = budget;
  return w.Run();
}

// A call cut short by the step budget drops the whole pixels it did not
// step: the speed is added every frame, and a pending word left to grow
// would wrap round and turn the player. The sub-pixel part keeps its sign.
static void DropUnstepped(PlayerRecord* r) {
  if (int32_t* v = r->player_vars)
    for (uint32_t k : {kPvPendingX, kPvPendingY}) v[k] %= 256;
}

// A hand-over continues in the new mode with argument 1; the chain shares
// one step budget.
static void Move(int mode, uint8_t arg) {
  static int (*const walkers[4])(uint8_t, int64_t*) = {RunWalker<0>, RunWalker<1>, RunWalker<2>, RunWalker<3>};
  PlayerRecord* r = current_player;
  int64_t budget = kMaxPixelSteps;
  while (mode >= 0) {
    mode = walkers[mode](arg, &budget);
    arg = 1;
  }
  if (budget < 0) DropUnstepped(r);
}

void MovePlayerOnFloor(uint8_t arg) { Move(0, arg); }
void MovePlayerOnRightWall(uint8_t arg) { Move(1, arg); }
void MovePlayerOnCeiling(uint8_t arg) { Move(2, arg); }
void MovePlayerOnLeftWall(uint8_t arg) { Move(3, arg); }

}  // namespace tolv
