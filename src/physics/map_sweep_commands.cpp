// Commands 1186 to 1188: the running object's tile map, having moved,
// sweeps the destination player along. The player's box is put back where
// it stood relative to the map before the map moved and walked forward one
// pixel a step; each map line the walk brings into the box pushes the
// player one pixel on, and a player that cannot move is stopped against the
// map, stepped over the map's corner, or squeezed (the hit word says which
// side). The map's own collision is left out of the moves.
#include <algorithm>

#include "objects/players.h"
#include "physics/movement_frame.h"
#include "physics/object_contact.h"
#include "physics/map_layer.h"
#include "physics/player_move_frame.h"
#include "physics/pass_geometry.h"
#include "script/handles.h"
#include "script/operands.h"
#include "world/tile_plane.h"

namespace tolv {

namespace {

// Per mode: the sensor insets of each box side (the step height at the
// feet, the head inset at the head) and the byte a pixel must exceed for
// the feet side (below) and the head side (above).
struct SweepInsets {
  int64_t top, bottom, left, right;
  uint8_t below, above;
};

SweepInsets InsetsFor(uint32_t mode, int64_t sh, int64_t ti) {
  switch (mode) {
    case 0: return {ti, sh, 0, 0, 0, 1};
    case 1: return {0, 0, ti, sh, 1, 1};
    case 2: return {sh, ti, 0, 0, 1, 0};
    case 3: return {0, 0, sh, ti, 1, 1};
    default: return {0, 0, 0, 0, 0, 0};
  }
}

class MapSweep {
 public:
  MapSweep(ObjectSlot* o, PlayerRecord* r, const ObjectMap& m) : o_(o), r_(r), m_(m), handle_(EncodeObjectHandle(o)) {
    const Edges w = PlayerWorldEdges(r);
    box_[kLeft] = w.e[kLeft] - m.left, box_[kRight] = w.e[kRight] - m.left;
    box_[kTop] = w.e[kTop] - m.top, box_[kBottom] = w.e[kBottom] - m.top;
    pos_[0] = PVar(r, kPvX), pos_[1] = PVar(r, kPvY);
  }
  // A box off the map by more than its edge pixel is left alone.
  bool Apart() const {
    return box_[kRight] < -1 || box_[kBottom] < -1 || box_[kLeft] > m_.W || box_[kTop] > m_.H;
  }
  // Where the box stood before the map moved by (dx, dy) pixels.
  void Displace(int64_t dx, int64_t dy) {
    box_[kLeft] += dx, box_[kRight] += dx, box_[kTop] += dy, box_[kBottom] += dy;
  }
  // One sweep step on `axis` for a map moving towards `sign`; false ends
  // the sweep.
  bool Step(int axis, int sign);

 private:
  int32_t& Var(uint32_t k) { return PVar(r_, k); }
  // The box follows the player's own moves.
  void Follow();
  // One pixel on towards where the box stands now.
  void Walk(int axis, int sign) {
    box_[axis ? kTop : kLeft] -= sign;
    box_[axis ? kBottom : kRight] -= sign;
  }
  // Whether the line at `at` on `axis` (0 a column) holds a byte of at
  // least `min` from `from` up to `to` exclusive, clipped to the map.
  bool Any(int axis, int64_t at, int64_t from, int64_t to, uint8_t min) const;
  void Corner(int axis, int64_t line, const SweepInsets& in);

  ObjectSlot* o_;
  PlayerRecord* r_;
  ObjectMap m_;
  int32_t handle_;
  int64_t box_[4];
  int32_t pos_[2];
};

bool MapSweep::Any(int axis, int64_t at, int64_t from, int64_t to, uint8_t min) const {
  int64_t size = axis ? m_.W : m_.H;
  for (int64_t p = from > 0 ? from : 0; p < to && p < size; p++)
    if ((axis ? m_.Byte(p, at) : m_.Byte(at, p)) >= min) return true;
  return false;
}

void MapSweep::Follow() {
  int32_t x = Var(kPvX), y = Var(kPvY);
  box_[kLeft] += int64_t{x} - pos_[0], box_[kRight] += int64_t{x} - pos_[0];
  box_[kTop] += int64_t{y} - pos_[1], box_[kBottom] += int64_t{y} - pos_[1];
  pos_[0] = x, pos_[1] = y;
}

// Over the map's corner at `line` (a column for a sweep along x): with the
// player tentatively one pixel on across the sweep, its high end climbs
// back over the map's part there; or else its low end is pushed on past
// the part at that end. A player on the surface it would leave stays.
void MapSweep::Corner(int axis, int64_t line, const SweepInsets& in) {
  const int k = 1 - axis;
  const bool grounded = Var(kPvOnGround) != 0;
  const int32_t mode = Var(kPvMovementMode);
  (axis ? tile_probe_y : tile_probe_x) = static_cast<int32_t>(line);
  probe_hit = 0;
  int32_t& pos = Var(k ? kPvY : kPvX);
  const int64_t size = k ? m_.H : m_.W, lo = box_[k ? kTop : kLeft], hi = box_[k ? kBottom : kRight];
  const uint8_t climb_over = axis ? 1 : in.below, push_over = axis ? 1 : in.above;
  auto byte = [&](int64_t p) { return axis ? m_.Byte(p, line) : m_.Byte(line, p); };
  pos = Add32(pos, 1);
  bool climbed = false;
  if (!(grounded && mode == (axis ? 3 : 2)) && hi >= 0 && hi - (k ? in.bottom : in.right) < size) {
    for (int64_t p = hi < size - 1 ? hi : size - 1; p >= 0 && byte(p) > climb_over; p--) {
      pos = Add32(pos, -1);
      probe_hit = 1;
      climbed = true;
    }
  }
  if (climbed) return;
  pos = Add32(pos, -1);
  if (grounded && mode == (axis ? 1 : 0)) return;
  for (int64_t p = lo; lo >= 0 && p < size && byte(p) > push_over; p++) pos = Add32(pos, 1);
}

bool MapSweep::Step(int axis, int sign) {
  Var(kPvOnGround) = 0;
  for (uint32_t k : {kPvHitUp, kPvHitDown, kPvHitLeft, kPvHitRight}) Var(k) = 0;
  const SweepInsets in = InsetsFor(static_cast<uint32_t>(Var(kPvMovementMode)), static_cast<uint8_t>(CharVar(kCharStepHeight)),
                                   static_cast<uint8_t>(CharVar(kCharWallTopInset)));
  const int lo = axis ? kTop : kLeft, cross = axis ? kLeft : kTop;
  // The leading line: the box edge the map moves into.
  const int64_t line = box_[sign > 0 ? lo : lo + 1];
  // Columns take solid bytes; rows the feet or head threshold.
  const uint8_t min = axis == 0 ? 2 : (sign < 0 ? in.below : in.above) + 1;
  const int64_t inset_lo = axis ? in.left : in.top, inset_hi = axis ? in.right : in.bottom;
  if (line < 0 || line >= (axis ? m_.H : m_.W) || !Any(axis, line, box_[cross] + 1, box_[cross + 1], min)) {
    Walk(axis, sign);
    return true;
  }
  const int32_t before = Var(axis ? kPvY : kPvX);
  MoveCurrentPlayerBy(axis, sign * 256);
  Follow();
  if (!m_.Load(o_)) return false;
  if (Var(axis ? kPvY : kPvX) != before) {
    Walk(axis, sign);
    return true;
  }
  if (Any(axis, line, box_[cross] + 1 + inset_lo, box_[cross + 1] - inset_hi, min)) {
    Var(axis ? (sign < 0 ? kPvHitDown : kPvHitUp) : (sign > 0 ? kPvHitLeft : kPvHitRight)) = handle_;
    return false;
  }
  Corner(axis, line, in);
  Follow();
  Walk(axis, sign);
  return true;
}

// Whole pixels of an 8.8 movement, towards minus infinity, held to the
// steps WalkMovement takes. A longer movement is swept over its last part
// only: the player still touches the map (at most 2040 pixels a side), so
// the part left out walks lines its box does not reach.
int64_t Pixels(int32_t movement) {
  return std::clamp<int64_t>(movement >> 8, -kMaxStepsPerFrame, kMaxStepsPerFrame);
}

template <bool X, bool Y>
void SweepPlayer() {
  ObjectSlot* o = running_slot;
  ObjectMap m;
  PlayerRecord* r = MapCommandPlayer(o, m);
  if (!r) return;
  const int64_t dx = X ? Pixels(SelfVar(Op(2))) : 0, dy = Y ? Pixels(SelfVar(Op(X ? 3 : 2))) : 0;
  AirMoveFrame frame(r, X, Y);
  MapLayerFlip flip(o, m);
  MapSweep sweep(o, r, m);
  if (sweep.Apart()) return;
  sweep.Displace(dx, dy);
  WalkMovement(dx * 256, dy * 256, [&](int axis, const int64_t* rem) { return sweep.Step(axis, rem[axis] > 0 ? 1 : -1); });
  flip.Restore();
  MoveCurrentPlayer();
}

}  // namespace

static const CommandDef kMapSweepCommands[] = {
    TOLV_ALL(1186, 3, (SweepPlayer<true, false>), "object map sweep x"),
    TOLV_ALL(1187, 3, (SweepPlayer<false, true>), "object map sweep y"),
    TOLV_ALL(1188, 4, (SweepPlayer<true, true>), "object map sweep xy"),
};

// Word 1 is not read: the player is the one in player slot D.
static const CommandDoc kMapSweepDocs[] = {
    {"object map sweep x", CommandArea::kMovement,
     {"unused", "running object's variable with its x movement (constant)"},
     "After the running object's own tile map moved by the x movement (8.8, whole pixels counting), sweeps "
     "the player in slot D along pixel by pixel, each map column that comes into its box pushing it one pixel "
     "on, then makes one move of the player with the map taking part. A player that cannot move is stopped by "
     "map pixels in its box outside its step height and head inset (its hit word on that side, hit left for "
     "a map moving right, gets the object's handle and the sweep ends) and steps over those within them. "
     "Nothing happens when the object has no map, the map's layer is neither 0 nor the player's plane, or "
     "the player is clear of the map."},
    {"object map sweep y", CommandArea::kMovement,
     {"unused", "running object's variable with its y movement (constant)"},
     "As object map sweep x along y: rows of the map push the player up or down, a wedged player gets hit "
     "down (map moving up) or hit up (map moving down), and the player is stepped sideways over the map's "
     "corners."},
    {"object map sweep xy", CommandArea::kMovement,
     {"unused", "running object's variable with its x movement (constant)",
      "running object's variable with its y movement (constant)"},
     "Both sweeps at once, the map's movement walked back pixel by pixel over both axes; a wedged player on "
     "either axis ends the sweep."},
};
extern const CommandList map_sweep_command_list = TOLV_DOCUMENTED(kMapSweepCommands, kMapSweepDocs);

}  // namespace tolv
