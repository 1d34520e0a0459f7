// Box and hot-spot reading commands: hot spots, frame box edges and the
// pass fields of players and objects into registers or variables. A source
// without the frame, point or partner asked for writes nothing.
#include "objects/players.h"
#include "physics/frame_view.h"
#include "script/commands.h"
#include "script/object_globals.h"
#include "script/operand_kinds.h"
#include "script/operands.h"

namespace tolv {

// Sources: PA and OA at their stored positions; CP, the current player at
// its pass position; COL, the collide object at its pass position.
static bool FromPA(FrameView& s) {
  PlayerRecord* r = player_operand_a;
  s = PlayerFrameView(r, PVar(r, kPvX), PVar(r, kPvY));
  return s.frame;
}
static bool FromOA(FrameView& s) {
  s = ObjectFrameView(object_operand_a);
  return s.frame;
}
static bool FromCP(FrameView& s) {
  PlayerRecord* r = current_player;
  s = PlayerFrameView(r, r->motion[kWorldX], r->motion[kWorldY]);
  return s.frame;
}
static bool FromCOL(FrameView& s) {
  if (collide_object == &void_slot) return false;
  s = ObjectFrameView(collide_object, collide_world.x, collide_world.y);
  return s.frame;
}

using Source = bool (*)(FrameView&);
using Dest = int32_t& (*)(uint32_t);
static int32_t& ToR(uint32_t i) { return Reg(i); }
static int32_t& ToPD(uint32_t i) { return PDVar(i); }
static int32_t& ToOD(uint32_t i) { return ODVar(i); }

// Operands: point n, destination x, destination y.
template <Source Src, Dest Dst>
static void HotSpotXY() {
  FrameView s;
  int32_t x, y;
  if (!Src(s) || !HotSpotOf(s, Op(1), x, y)) return;
  Dst(Op(2)) = x;
  Dst(Op(3)) = y;
}

// Operands: point n, destination; axis 0 x, 1 y.
template <Source Src, Dest Dst, int Axis>
static void HotSpotCoord() {
  FrameView s;
  int32_t x, y;
  if (Src(s) && HotSpotOf(s, Op(1), x, y)) Dst(Op(2)) = Axis ? y : x;
}

// Operands: edge (0 left, 1 top, 2 right, 3 bottom, 4 centre x, 5 centre
// y), destination.
template <Source Src, Dest Dst>
static void FrameBoxEdge() {
  FrameView s;
  uint32_t edge = Op(1);
  if (edge > 5 || !Src(s)) return;
  Box b = FrameBox(s);
  const int32_t values[6] = {b.left, b.top, b.right, b.bottom, FrameCentreX(s), FrameCentreY(s)};
  Dst(Op(2)) = values[edge];
}

// Pass fields in the commands' order: left, top, right, bottom, centre x,
// centre y, x, y.
static bool PlayerPassFields(int32_t (&f)[8]) {
  const int32_t* m = current_player->motion;
  const int k[8] = {kWorldLeft, kWorldTop, kWorldRight, kWorldBottom, kWorldCentreX, kWorldCentreY, kWorldX, kWorldY};
  for (int i = 0; i < 8; i++) f[i] = m[k[i]];
  return true;
}
static bool CollidePassFields(int32_t (&f)[8]) {
  if (collide_object == &void_slot) return false;
  const CollideGeometry& g = collide_world;
  const int32_t v[8] = {g.left, g.top, g.right, g.bottom, g.centre_x, g.centre_y, g.x, g.y};
  for (int i = 0; i < 8; i++) f[i] = v[i];
  return true;
}

// Operands: field 0..7, destination.
template <bool (*Fields)(int32_t (&)[8]), Dest Dst>
static void PassField() {
  int32_t f[8];
  uint32_t field = Op(1);
  if (field < 8 && Fields(f)) Dst(Op(2)) = f[field];
}

// dst names the destination's kind (R, PD, OD) and its writer To<dst>.
#define TOLV_XY(id, src, dst, name) \
  WithKinds(TOLV_ALL(id, 4, (HotSpotXY<src, To##dst>), name), {Kind::K, Kind::dst, Kind::dst})
#define TOLV_COORD(id, src, dst, axis, name) \
  WithKinds(TOLV_ALL(id, 3, (HotSpotCoord<src, To##dst, axis>), name), {Kind::K, Kind::dst})
#define TOLV_EDGE(id, src, dst, name) \
  WithKinds(TOLV_ALL(id, 3, (FrameBoxEdge<src, To##dst>), name), {Kind::K, Kind::dst})
#define TOLV_FIELD(id, fields, dst, name) \
  WithKinds(TOLV_ALL(id, 3, (PassField<fields, To##dst>), name), {Kind::K, Kind::dst})

static const CommandDef kBoxCommands[] = {
    TOLV_XY(326, FromPA, OD, "PA hot spot"),
    TOLV_XY(329, FromOA, OD, "OA hot spot"),
    TOLV_XY(330, FromOA, PD, "OA hot spot"),
    TOLV_XY(331, FromPA, PD, "PA hot spot"),
    TOLV_XY(332, FromOA, R, "OA hot spot"),
    TOLV_XY(333, FromPA, R, "PA hot spot"),
    TOLV_EDGE(960, FromPA, R, "PA frame box edge"),
    TOLV_EDGE(961, FromOA, R, "OA frame box edge"),
    TOLV_EDGE(962, FromPA, PD, "PA frame box edge"),
    TOLV_EDGE(963, FromOA, PD, "OA frame box edge"),
    TOLV_EDGE(964, FromPA, OD, "PA frame box edge"),
    TOLV_EDGE(965, FromOA, OD, "OA frame box edge"),
    TOLV_COORD(966, FromPA, R, 0, "PA hot spot x"),
    TOLV_COORD(967, FromOA, R, 0, "OA hot spot x"),
    TOLV_COORD(968, FromPA, PD, 0, "PA hot spot x"),
    TOLV_COORD(969, FromOA, PD, 0, "OA hot spot x"),
    TOLV_COORD(970, FromPA, OD, 0, "PA hot spot x"),
    TOLV_COORD(971, FromOA, OD, 0, "OA hot spot x"),
    TOLV_COORD(972, FromPA, R, 1, "PA hot spot y"),
    TOLV_COORD(973, FromOA, R, 1, "OA hot spot y"),
    TOLV_COORD(974, FromPA, PD, 1, "PA hot spot y"),
    TOLV_COORD(975, FromOA, PD, 1, "OA hot spot y"),
    TOLV_COORD(976, FromPA, OD, 1, "PA hot spot y"),
    TOLV_COORD(977, FromOA, OD, 1, "OA hot spot y"),
    TOLV_FIELD(1222, PlayerPassFields, R, "current player pass field"),
    TOLV_FIELD(1223, CollidePassFields, R, "collide object pass field"),
    TOLV_FIELD(1224, PlayerPassFields, PD, "current player pass field"),
    TOLV_FIELD(1225, CollidePassFields, PD, "collide object pass field"),
    TOLV_FIELD(1226, PlayerPassFields, OD, "current player pass field"),
    TOLV_FIELD(1227, CollidePassFields, OD, "collide object pass field"),
    TOLV_XY(1228, FromCP, R, "current player hot spot"),
    TOLV_XY(1229, FromCOL, R, "collide object hot spot"),
    TOLV_XY(1230, FromCP, PD, "current player hot spot"),
    TOLV_XY(1231, FromCOL, PD, "collide object hot spot"),
    TOLV_XY(1232, FromCP, OD, "current player hot spot"),
    TOLV_XY(1233, FromCOL, OD, "collide object hot spot"),
    TOLV_COORD(1234, FromCP, R, 0, "current player hot spot x"),
    TOLV_COORD(1235, FromCOL, R, 0, "collide object hot spot x"),
    TOLV_COORD(1236, FromCP, PD, 0, "current player hot spot x"),
    TOLV_COORD(1237, FromCOL, PD, 0, "collide object hot spot x"),
    TOLV_COORD(1238, FromCP, OD, 0, "current player hot spot x"),
    TOLV_COORD(1239, FromCOL, OD, 0, "collide object hot spot x"),
    TOLV_COORD(1240, FromCP, R, 1, "current player hot spot y"),
    TOLV_COORD(1241, FromCOL, R, 1, "collide object hot spot y"),
    TOLV_COORD(1242, FromCP, PD, 1, "current player hot spot y"),
    TOLV_COORD(1243, FromCOL, PD, 1, "collide object hot spot y"),
    TOLV_COORD(1244, FromCP, OD, 1, "current player hot spot y"),
    TOLV_COORD(1245, FromCOL, OD, 1, "collide object hot spot y"),
};
// Sources: slot A's player or object at its position; the current player and
// the collide object at their pass positions (moved into the wrap copy a
// pass is visiting).
static const CommandDoc kBoxDocs[] = {
    {"PA hot spot", CommandArea::kMovement, {"hot spot number", "x destination", "y destination"},
     "Stores where the hot spot of the frame that the player in slot A shows lies in the world, in pixels, its "
     "flips and position applied. Writes nothing when the player shows no frame or the frame has no such point."},
    {"OA hot spot", CommandArea::kMovement, {"hot spot number", "x destination", "y destination"},
     "Stores where the hot spot of the frame that the object in slot A shows lies in the world, in pixels, its "
     "flips and position applied. Writes nothing when the object shows no frame or the frame has no such point."},
    {"current player hot spot", CommandArea::kMovement, {"hot spot number", "x destination", "y destination"},
     "As the PA form for the current player, placed at its pass position: during a player object pass, in the "
     "wrap copy being visited."},
    {"collide object hot spot", CommandArea::kMovement, {"hot spot number", "x destination", "y destination"},
     "As the OA form for the collide object, placed at its pass position. Writes nothing while there is no "
     "collide object."},
    {"PA hot spot x", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the world x of the hot spot of the frame the player in slot A shows, in pixels; nothing when there "
     "is no such frame or point."},
    {"OA hot spot x", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the world x of the hot spot of the frame the object in slot A shows, in pixels; nothing when there "
     "is no such frame or point."},
    {"PA hot spot y", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the world y of the hot spot of the frame the player in slot A shows, in pixels; nothing when there "
     "is no such frame or point."},
    {"OA hot spot y", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the world y of the hot spot of the frame the object in slot A shows, in pixels; nothing when there "
     "is no such frame or point."},
    {"current player hot spot x", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the x of the hot spot of the current player's frame at its pass position, in pixels."},
    {"collide object hot spot x", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the x of the hot spot of the collide object's frame at its pass position, in pixels; nothing "
     "without a collide object."},
    {"current player hot spot y", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the y of the hot spot of the current player's frame at its pass position, in pixels."},
    {"collide object hot spot y", CommandArea::kMovement, {"hot spot number", "destination"},
     "Stores the y of the hot spot of the collide object's frame at its pass position, in pixels; nothing "
     "without a collide object."},
    {"PA frame box edge", CommandArea::kMovement, {"edge", "destination"},
     "Stores one value of the frame box of the player in slot A at its position, in world pixels: edge 0 "
     "left, 1 top, 2 right, 3 bottom, 4 centre x, 5 centre y. Writes nothing for an edge above 5 or a player "
     "that shows no frame."},
    {"OA frame box edge", CommandArea::kMovement, {"edge", "destination"},
     "Stores one value of the frame box of the object in slot A at its position, in world pixels: edge 0 "
     "left, 1 top, 2 right, 3 bottom, 4 centre x, 5 centre y. Writes nothing for an edge above 5 or an object "
     "that shows no frame."},
    {"current player pass field", CommandArea::kMovement, {"field", "destination"},
     "Stores one of the current player's pass fields, in world pixels: 0 left, 1 top, 2 right, 3 bottom, 4 "
     "centre x, 5 centre y of its box, 6 x, 7 y of its position. They hold what the last pass or wrap region "
     "command left; a field above 7 writes nothing."},
    {"collide object pass field", CommandArea::kMovement, {"field", "destination"},
     "Stores one of the collide object's pass fields, in world pixels, numbered as for the current player. "
     "Writes nothing for a field above 7 or while there is no collide object."},
};
extern const CommandList box_command_list = TOLV_DOCUMENTED(kBoxCommands, kBoxDocs);

}  // namespace tolv
