// Commands that move the destination player relative to the running
// object: snap it against a side of the object's frame box, carry it by
// the object's movement, push it out of the box as the box moves. Every
// move goes through the player's own movement routine, so terrain and the
// other objects still collide with it.
#include "objects/players.h"
#include "physics/movement_frame.h"
#include "physics/object_contact.h"
#include "physics/map_layer.h"
#include "physics/player_move_frame.h"
#include "script/operands.h"

namespace tolv {

// 1182: side 0 top, 1 bottom, 2 left, 3 right; the player's opposite edge
// is carried onto it unless something stops it first.
static void SnapPlayerToObject() {
  PlayerRecord* r = GamePlayer(player_operand_d);
  uint32_t side = Op(2);
  if (!r || side > 3) return;
  const Edges o = ObjectFrameEdges(running_slot);
  const int axis = side < 2 ? 1 : 0;
  static constexpr int kFacing[4] = {kBoxBottom, kBoxTop, kBoxRight, kBoxLeft};
  static constexpr int kSide[4] = {kTop, kBottom, kLeft, kRight};
  AirMoveFrame frame(r, axis == 0, axis == 1);
  int64_t pos = PVar(r, axis ? kPvY : kPvX);
  MoveCurrentPlayerBy(axis, Wrap32((o.e[kSide[side]] - (pos + r->motion[kFacing[side]])) * 256));
}

// 1189 to 1191: one move by the object's movement with its map left out,
// then one with the map taking part again. A player on another layer than
// a layered map is not carried.
template <bool X, bool Y>
static void CarryPlayer() {
  ObjectSlot* o = running_slot;
  ObjectMap m;
  PlayerRecord* r = MapCommandPlayer(o, m);
  if (!r) return;
  int32_t dx = X ? SelfVar(Op(2)) : 0, dy = Y ? SelfVar(Op(X ? 3 : 2)) : 0;
  AirMoveFrame frame(r, X, Y);
  MapLayerFlip flip(o, m);
  if (X) PVar(r, kPvPendingX) = dx;
  if (Y) PVar(r, kPvPendingY) = dy;
  MoveCurrentPlayer();
  flip.Restore();
  MoveCurrentPlayer();
}

// 1192, 1193: d whole pixels of movement (towards minus infinity) on
// `axis`; a player overlapping the box on the other axis whose facing edge
// lies within d pixels inside the box's leading edge is pushed out of it.
static void PushOnAxis(int axis) {
  PlayerRecord* r = GamePlayer(player_operand_d);
  if (!r) return;
  int32_t movement = SelfVar(Op(2));
  const Edges o = ObjectFrameEdges(running_slot);
  AirMoveFrame frame(r, axis == 0, axis == 1);
  const Edges p = PlayerWorldEdges(r);
  const int lo = axis ? kTop : kLeft, hi = lo + 1, cross_lo = axis ? kLeft : kTop, cross_hi = cross_lo + 1;
  int64_t d = movement >> 8;
  if (o.e[cross_hi] > p.e[cross_lo] && o.e[cross_lo] < p.e[cross_hi]) {
    if (d < 0 && o.e[lo] < p.e[hi] && p.e[hi] <= o.e[lo] - d)
      PVar(r, axis ? kPvPendingY : kPvPendingX) = Wrap32((o.e[lo] - p.e[hi]) * 256);
    else if (d >= 0 && o.e[hi] > p.e[lo] && p.e[lo] >= o.e[hi] - d)
      PVar(r, axis ? kPvPendingY : kPvPendingX) = Wrap32((o.e[hi] - p.e[lo]) * 256);
  }
  MoveCurrentPlayer();
}
static void PushPlayerX() { PushOnAxis(0); }
static void PushPlayerY() { PushOnAxis(1); }

// 1194: the box's movement walked back from where it started; at the first
// pixel where the box's leading edge meets the player's facing edge (the
// boxes overlapping on the other axis), what is left of the movement
// becomes the player's, on the other axis too when the player stands on
// the face being pushed.
static void PushPlayerXY() {
  PlayerRecord* r = GamePlayer(player_operand_d);
  if (!r) return;
  const int64_t move[2] = {SelfVar(Op(2)), SelfVar(Op(3))};
  const Edges o = ObjectFrameEdges(running_slot);
  AirMoveFrame frame(r, true, true);
  const Edges p = PlayerWorldEdges(r);
  if (p.e[kLeft] > o.e[kRight] || p.e[kRight] < o.e[kLeft] || p.e[kTop] > o.e[kBottom] || p.e[kBottom] < o.e[kTop])
    return;
  // The mode of a player standing on the face pushed, by axis and direction
  // (backward, forward).
  static constexpr int32_t kStanding[2][2] = {{1, 3}, {0, 2}};
  WalkMovement(move[0], move[1], [&](int axis, const int64_t* rem) {
    const int other = 1 - axis, lo = axis ? kTop : kLeft, cross = other ? kTop : kLeft;
    const bool forward = rem[axis] > 0;
    const int64_t edge = o.e[forward ? lo + 1 : lo] - rem[axis] / 256;
    const int64_t facing = p.e[forward ? lo : lo + 1];
    const int64_t shift = rem[other] / 256;
    if (facing != edge || o.e[cross] - shift >= p.e[cross + 1] || o.e[cross + 1] - shift <= p.e[cross]) return true;
    PVar(r, axis ? kPvPendingY : kPvPendingX) = Wrap32(rem[axis]);
    if (PVar(r, kPvMovementMode) == kStanding[axis][forward ? 1 : 0])
      PVar(r, other ? kPvPendingY : kPvPendingX) = Wrap32(rem[other]);
    return false;
  });
  MoveCurrentPlayer();
}

static const CommandDef kObjectPushCommands[] = {
    TOLV_ALL(1182, 3, SnapPlayerToObject, "snap player to object"),
    TOLV_ALL(1189, 3, (CarryPlayer<true, false>), "carry player x"),
    TOLV_ALL(1190, 3, (CarryPlayer<false, true>), "carry player y"),
    TOLV_ALL(1191, 4, (CarryPlayer<true, true>), "carry player xy"),
    TOLV_ALL(1192, 3, PushPlayerX, "push player x"),
    TOLV_ALL(1193, 3, PushPlayerY, "push player y"),
    TOLV_ALL(1194, 4, PushPlayerXY, "push player xy"),
};

// Word 1 is not read: the player is the one in player slot D.
static const CommandDoc kObjectPushDocs[] = {
    {"snap player to object", CommandArea::kMovement, {"unused", "side (constant)"},
     "Moves the player in slot D, through its movement routine, until its facing edge meets a side of the "
     "running object's frame box: side 0 its bottom onto the top, 1 its top onto the bottom, 2 its right "
     "edge onto the left, 3 its left edge onto the right. Terrain or other objects may stop it first; any "
     "other side moves nothing."},
    {"carry player x", CommandArea::kMovement, {"unused", "running object's variable with its x movement (constant)"},
     "Carries the player in slot D by the running object's x movement (8.8 pixels, fraction included) with "
     "one move in which the object's own tile map is left out, then moves it once more with the map taking "
     "part. Does nothing when the object has no map, or the map's layer is not 0 and not the player's plane."},
    {"carry player y", CommandArea::kMovement, {"unused", "running object's variable with its y movement (constant)"},
     "As carry player x along y."},
    {"carry player xy", CommandArea::kMovement,
     {"unused", "running object's variable with its x movement (constant)",
      "running object's variable with its y movement (constant)"},
     "As carry player x along both axes in one move."},
    {"push player x", CommandArea::kMovement, {"unused", "running object's variable with its x movement (constant)"},
     "Pushes the player in slot D out of the running object's frame box after the box moved by the movement "
     "(8.8; its whole pixels count): when the boxes overlap in height and the player's facing edge lies inside "
     "the box's leading edge by no more than the movement, the player moves out to that edge. The player "
     "makes one move either way, with its own pending movement when not pushed."},
    {"push player y", CommandArea::kMovement, {"unused", "running object's variable with its y movement (constant)"},
     "As push player x along y, the boxes overlapping in width."},
    {"push player xy", CommandArea::kMovement,
     {"unused", "running object's variable with its x movement (constant)",
      "running object's variable with its y movement (constant)"},
     "When the player in slot D overlaps or touches the running object's frame box, walks the box's movement "
     "back pixel by pixel; where the box's leading edge first meets the player's facing edge, the player is "
     "given the rest of that axis' movement, and of the other axis' too when it stands on the face pushed "
     "(floor, wall or ceiling mode). Then the player makes one move."},
};
extern const CommandList object_push_command_list = TOLV_DOCUMENTED(kObjectPushCommands, kObjectPushDocs);

}  // namespace tolv
