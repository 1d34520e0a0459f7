// Box tests and distances: whether the current player's or the collide
// object's boxes overlap the running object's, touch or reach into its
// frame box, whether they still move, and signed distances to its edges.
// A test that does not hold jumps to its target (operand 3).
#include "objects/players.h"
#include "physics/frame_view.h"
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/object_globals.h"
#include "script/operands.h"

namespace tolv {

constexpr uint32_t kObjectPendingX = 11, kObjectPendingY = 12;

static bool HasPartner() { return collide_object != &void_slot; }

// A box set of the other party: one box, or a list.
struct BoxSet {
  const Box* boxes = nullptr;
  size_t count = 0;
  Box one{};
};
static BoxSet ListSet(const std::vector<Box>& v) { return BoxSet{v.data(), v.size()}; }
static BoxSet OneBox(const Box& b) {
  BoxSet s;
  s.one = b;
  s.count = 1;
  return s;
}
static Box PlayerWorldBox() {
  const int32_t* m = current_player->motion;
  return Box{m[kWorldLeft], m[kWorldRight], m[kWorldTop], m[kWorldBottom]};
}
static Box CollideWorldBox() { return Box{collide_world.left, collide_world.right, collide_world.top, collide_world.bottom}; }

// Set 0 the world box, 1 the attack list, 2 the hurt list.
static BoxSet PlayerSet(uint32_t set) {
  const BoxLists& l = CurrentPlayerLists();
  return set == 0 ? OneBox(PlayerWorldBox()) : ListSet(set == 1 ? l.attack : l.hurt);
}
static BoxSet CollideSet(uint32_t set) {
  if (!HasPartner()) return BoxSet{};
  const BoxLists& l = CollideLists();
  return set == 0 ? OneBox(CollideWorldBox()) : ListSet(set == 1 ? l.attack : l.hurt);
}

// A lane's offset on one axis: the type variable its parameter names, low
// byte as a signed byte, negated on a flipped axis; 0 for a value above 254
// or no parameter.
static int32_t LaneOffset(const ObjectSlot* o, const uint8_t* params, int lane, bool flipped) {
  if (!params || params[lane] == 255) return 0;
  int32_t v = ObjVar(o, params[lane] + 7u);
  if (v > 254) return 0;
  uint32_t u = flipped ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
  return static_cast<int8_t>(u & 0xFF);
}
static Box MovedByLane(const ObjectSlot* o, int lane, Box b, bool h, bool v) {
  const TimedScriptContext& a = o->animation_ctx;
  int32_t dx = LaneOffset(o, a.param1, lane, h), dy = LaneOffset(o, a.param2, lane, v);
  return Box{WrapAdd(b.left, dx), WrapAdd(b.right, dx), WrapAdd(b.top, dy), WrapAdd(b.bottom, dy)};
}

// Calls hit for each box of the running object's set (0 its frame box, 1
// the attack and 2 the hurt boxes of its running lanes), each moved by its
// lane's offsets when asked; true at the first hit.
template <typename Hit>
static bool AnyObjectBox(uint32_t set, bool offsets, Hit hit) {
  const ObjectSlot* o = running_slot;
  FrameView s = ObjectFrameView(o);
  if (set == 0) return s.frame && hit(offsets ? MovedByLane(o, 0, FrameBox(s), s.h, s.v) : FrameBox(s));
  return ForEachLaneFrame(o, [&](int lane, const SpriteFrame& f) {
    const Box* plain = set == 1 ? f.attack_boxes : f.hurt_boxes;
    const Box* mirrored = set == 1 ? f.mirrored_attack_boxes : f.mirrored_hurt_boxes;
    int n = plain ? (set == 1 ? f.attack_count : f.hurt_count) : 0;
    for (int k = 0; k < n; k++) {
      Box b = PlaceBoxAt(plain, mirrored, k, s.h, s.v, s.x, s.y);
      if (hit(offsets ? MovedByLane(o, lane, b, s.h, s.v) : b)) return true;
    }
    return false;
  });
}

// Operands: the other party's set, the running object's set.
template <BoxSet (*Other)(uint32_t), bool Offsets>
static bool SetsOverlap() {
  uint32_t p = Op(1), o = Op(2);
  if (p > 2 || o > 2) return false;
  BoxSet other = Other(p);
  const Box* boxes = other.boxes ? other.boxes : &other.one;
  if (!other.count) return false;
  return AnyObjectBox(o, Offsets, [&](const Box& b) {
    for (size_t i = 0; i < other.count; i++)
      if (Overlap(boxes[i], b)) return true;
    return false;
  });
}

// The running object's frame box; false without a frame.
static bool RunningFrameBox(Box& f) {
  FrameView s = ObjectFrameView(running_slot);
  if (s.frame) f = FrameBox(s);
  return s.frame;
}

// Side 0 against the object's left side, 1 its right side, 2 standing on
// it, 3 against its underside.
static bool Touches(const Box& p, const Box& f, uint32_t side) {
  bool across_y = p.bottom > f.top && p.top < f.bottom;
  bool across_x = p.right > f.left && p.left < f.right;
  switch (side) {
    case 0: return p.right == f.left && across_y;
    case 1: return p.left == f.right && across_y;
    case 2: return across_x && p.bottom == f.top;
    case 3: return across_x && p.top == f.bottom;
    default: return false;
  }
}
// At least one whole pixel still to move into the side.
static bool MovesInto(int32_t pending_x, int32_t pending_y, uint32_t side) {
  switch (side) {
    case 0: return pending_x > 255;
    case 1: return pending_x < -255;
    case 2: return pending_y > 255;
    default: return pending_y < -255;
  }
}
static bool Moves(int32_t pending) { return pending < -255 || pending > 255; }

// Contact of the player's (or the collide object's) world box with the
// running object's frame box, optionally moving into it; r against operand 2.
template <bool Collide, bool Moving>
static bool ContactIs() {
  uint32_t side = Op(1);
  Box f;
  bool r = false;
  if ((!Collide || HasPartner()) && RunningFrameBox(f)) {
    r = Touches(Collide ? CollideWorldBox() : PlayerWorldBox(), f, side);
    if (r && Moving) {
      r = Collide ? MovesInto(ObjVar(collide_object, kObjectPendingX), ObjVar(collide_object, kObjectPendingY), side)
                  : MovesInto(CurPlayerVar(kPvPendingX), CurPlayerVar(kPvPendingY), side);
    }
  }
  return static_cast<uint32_t>(r) == Op(2);
}

// Operand 1: axis 0 x, else y.
template <bool Collide>
static bool PendingIs() {
  bool x = Op(1) == 0;
  int32_t v = Collide ? (HasPartner() ? ObjVar(collide_object, x ? kObjectPendingX : kObjectPendingY) : 0)
                      : CurPlayerVar(x ? kPvPendingX : kPvPendingY);
  return static_cast<uint32_t>(Moves(v)) == Op(2);
}

static bool Within(int32_t v, int32_t lo, int32_t hi) { return lo <= v && v <= hi; }

// 0 and 1: the player's right or left edge within the frame box across,
// 2 and 3: its bottom or top edge within it; 4 to 6: the player's position
// inside it. Ends included.
static bool RelationHolds(uint32_t relation) {
  Box f;
  if (relation > 6 || !RunningFrameBox(f)) return false;
  Box p = PlayerWorldBox();
  bool across_y = p.bottom > f.top && p.top < f.bottom;
  bool across_x = p.right > f.left && p.left < f.right;
  switch (relation) {
    case 0: return Within(p.right, f.left, f.right) && across_y;
    case 1: return Within(p.left, f.left, f.right) && across_y;
    case 2: return across_x && Within(p.bottom, f.top, f.bottom);
    case 3: return across_x && Within(p.top, f.top, f.bottom);
    default: return Within(CurPlayerVar(kPvX), f.left, f.right) && Within(CurPlayerVar(kPvY), f.top, f.bottom);
  }
}
static bool RelationIs() { return static_cast<uint32_t>(RelationHolds(Op(1))) == Op(2); }

template <bool (*Test)(), uint16_t& (*Pc)()>
static void JumpUnless() {
  if (!Test()) Pc() = static_cast<uint16_t>(Op(3));
}

// Distances A - B: A a pass field (0 top, 1 bottom, 2 left, 3 right, 4
// centre x, 5 centre y, 6 x, 7 y), B on the same axis from the running
// object (0 near edge, 1 far edge, 2 centre, 3 position).
static bool DistanceTo(const int32_t (&fields)[8], int32_t& out) {
  uint32_t field = Op(1), ref = Op(2);
  if (field > 7 || ref > 3) return false;
  bool vertical = field == 0 || field == 1 || field == 5 || field == 7;
  const ObjectSlot* o = running_slot;
  int32_t b = ObjVar(o, vertical ? 2 : 1);
  if (ref < 3) {
    FrameView s = ObjectFrameView(o);
    if (!s.frame) return false;
    Box f = FrameBox(s);
    int32_t lo = vertical ? f.top : f.left, hi = vertical ? f.bottom : f.right;
    b = ref == 0 ? lo : ref == 1 ? hi : vertical ? FrameCentreY(s) : FrameCentreX(s);
  }
  out = static_cast<int32_t>(static_cast<uint32_t>(fields[field]) - static_cast<uint32_t>(b));
  return true;
}

static void PlayerDistance() {
  const int32_t* m = current_player->motion;
  const int32_t fields[8] = {m[kWorldTop],     m[kWorldBottom],  m[kWorldLeft], m[kWorldRight],
                             m[kWorldCentreX], m[kWorldCentreY], m[kWorldX],    m[kWorldY]};
  int32_t d;
  if (DistanceTo(fields, d)) CharVar(Op(3)) = d;
}

static void CollideDistance() {
  if (!HasPartner()) return;
  const CollideGeometry& g = collide_world;
  const int32_t fields[8] = {g.top, g.bottom, g.left, g.right, g.centre_x, g.centre_y, g.x, g.y};
  int32_t d;
  if (DistanceTo(fields, d)) ObjVar(collide_object, Op(3)) = d;
}

#define TOLV_TEST(id, len, test, stat, name) \
  {id, len, JumpUnless<test, PlainLanePc>, JumpUnless<test, TimedLanePc>, stat, name}
#define TOLV_TEST_ST(id, len, test, name) TOLV_TEST(id, len, test, nullptr, name)

static const CommandDef kBoxTests[] = {
    TOLV_TEST_ST(347, 5, (SetsOverlap<PlayerSet, false>), "player box overlap test"),
    TOLV_TEST_ST(348, 5, (SetsOverlap<CollideSet, false>), "collide object box overlap test"),
    TOLV_TEST_ST(385, 4, (ContactIs<false, false>), "player contact test"),
    TOLV_TEST_ST(386, 4, (ContactIs<true, false>), "collide object contact test"),
    TOLV_TEST_ST(816, 4, (SetsOverlap<PlayerSet, true>), "player box overlap test with offsets"),
    TOLV_TEST_ST(817, 4, (SetsOverlap<CollideSet, true>), "collide object box overlap test with offsets"),
    TOLV_TEST_ST(818, 4, PendingIs<false>, "player moving test"),
    TOLV_TEST_ST(819, 4, PendingIs<true>, "collide object moving test"),
    TOLV_TEST_ST(820, 4, (ContactIs<false, true>), "player moving contact test"),
    TOLV_TEST_ST(821, 4, (ContactIs<true, true>), "collide object moving contact test"),
    TOLV_TEST(1181, 4, RelationIs, (JumpUnless<RelationIs, PlainLanePc>), "player relation test"),
    TOLV_ALL(1217, 4, PlayerDistance, "player distance"),
    TOLV_ALL(1218, 4, CollideDistance, "collide object distance"),
};

// The tests are written as If lines: the compiler fills in the block's end.
static const CommandDoc kBoxTestDocs[] = {
    {"player box overlap test", CommandArea::kMovement,
     {"current player's box set (constant)", "running object's box set (constant)", "end of the block",
      "unused (not written)"},
     "Opens an If block that runs when a box of the current player's set (0 its world box, 1 its attack boxes, "
     "2 its hurt boxes) overlaps a box of the running object's set (0 its frame box, 1 the attack boxes, 2 the "
     "hurt boxes of its running animation lanes). Boxes that only share an edge do not overlap; a set above 2 "
     "never does, and the player's attack and hurt boxes exist only while a player object pass runs."},
    {"collide object box overlap test", CommandArea::kMovement,
     {"collide object's box set (constant)", "running object's box set (constant)", "end of the block",
      "unused (not written)"},
     "As the player box overlap test with the collide object's sets (0 its box at its pass position, 1 its "
     "attack boxes, 2 its hurt boxes) in place of the player's; for Projectile Collision scripts, as it never "
     "holds without a collide object."},
    {"player box overlap test with offsets", CommandArea::kMovement,
     {"current player's box set (constant)", "running object's box set (constant)", "end of the block"},
     "As the player box overlap test, with each of the running object's boxes first moved by its lane's "
     "offsets: the object variables that the lane's two parameters name give x and y, their low byte as -128 "
     "to 127, negated on a flipped axis, 0 for a value above 254. The frame box takes lane 0's offsets."},
    {"collide object box overlap test with offsets", CommandArea::kMovement,
     {"collide object's box set (constant)", "running object's box set (constant)", "end of the block"},
     "As the collide object box overlap test, with the running object's boxes moved by their lanes' offsets "
     "as in the player form."},
    {"player contact test", CommandArea::kMovement,
     {"side (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "Opens an If block that runs when whether the current player's world box touches the running object's "
     "frame box on that side equals the expected result. Side 0: the player's right edge on the box's left "
     "edge, 1: its left edge on the box's right edge (each overlapping in height), 2: standing on the box's "
     "top, 3: its top against the box's bottom (each overlapping in width); any other side never touches."},
    {"collide object contact test", CommandArea::kMovement,
     {"side (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "As the player contact test with the collide object's box at its pass position; without a collide "
     "object it never touches."},
    {"player moving contact test", CommandArea::kMovement,
     {"side (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "As the player contact test, touching only when the player also has at least a whole pixel of pending "
     "movement into that side: x above 255 for side 0, below -255 for side 1, y above 255 for side 2, below "
     "-255 for side 3 (8.8 fixed point)."},
    {"collide object moving contact test", CommandArea::kMovement,
     {"side (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "As the collide object contact test, touching only when the pending movement its built-in mover "
     "keeps (8.8 fixed point) goes at least a whole pixel into that side."},
    {"player moving test", CommandArea::kMovement,
     {"axis, 0 x, else y (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "Opens an If block that runs when whether the current player has at least a whole pixel of pending "
     "movement on the axis (below -255 or above 255, 8.8 fixed point) equals the expected result."},
    {"collide object moving test", CommandArea::kMovement,
     {"axis, 0 x, else y (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "As the player moving test with the pending movement the collide object's built-in mover keeps; "
     "without a collide object it is not moving."},
    {"player relation test", CommandArea::kMovement,
     {"relation (constant)", "expected result, 1 or 0 (constant)", "end of the block"},
     "Opens an If block that runs when whether the relation holds equals the expected result. Relation 0: the "
     "current player's right edge, 1: its left edge lies between the running object's frame box's left and "
     "right edges (the boxes overlapping in height); 2: its bottom edge, 3: its top edge lies between the "
     "box's top and bottom (overlapping in width); 4 to 6: the player's position lies within the box. Edges "
     "count as within; a relation above 6 never holds."},
    {"player distance", CommandArea::kMovement,
     {"current player's field (constant)", "running object's reference (constant)",
      "current player's character variable to write (constant)"},
     "Stores a pass field of the current player minus a reference of the running object on the same axis, in "
     "pixels. Fields: 0 top, 1 bottom, 2 left, 3 right, 4 centre x, 5 centre y, 6 x, 7 y; references: 0 the "
     "frame box's top or left, 1 its bottom or right, 2 its centre, 3 the object's position. Writes nothing "
     "for a field above 7, a reference above 3, or a frame box the object does not show."},
    {"collide object distance", CommandArea::kMovement,
     {"collide object's field (constant)", "running object's reference (constant)",
      "collide object's variable to write (constant)"},
     "As the player distance with the collide object's pass fields, in the same order, written to the "
     "collide object's own variable; writes nothing without a collide object."},
};
extern const CommandList box_test_command_list = TOLV_DOCUMENTED(kBoxTests, kBoxTestDocs);

}  // namespace tolv
