// Box and hot-spot reading commands: hot spots, frame box edges and the
// pass fields of players and objects into registers or variables. A source
// without the frame, point or partner asked for writes nothing.
#include "objects/players.h"
#include "physics/frame_view.h"
#include "script/commands.h"
#include "script/object_globals.h"
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
static int32_t& ToReg(uint32_t i) { return Reg(i); }
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

#define TOLV_XY(id, src, dst) TOLV_ALL(id, 4, (HotSpotXY<src, dst>), "hot spot to variables")
#define TOLV_COORD(id, src, dst, axis) TOLV_ALL(id, 3, (HotSpotCoord<src, dst, axis>), "hot spot coordinate")
#define TOLV_EDGE(id, src, dst) TOLV_ALL(id, 3, (FrameBoxEdge<src, dst>), "frame box edge")
#define TOLV_FIELD(id, fields, dst) TOLV_ALL(id, 3, (PassField<fields, dst>), "pass field")

static const CommandDef kBoxCommands[] = {
    TOLV_XY(326, FromPA, ToOD),
    TOLV_XY(329, FromOA, ToOD),
    TOLV_XY(330, FromOA, ToPD),
    TOLV_XY(331, FromPA, ToPD),
    TOLV_XY(332, FromOA, ToReg),
    TOLV_XY(333, FromPA, ToReg),
    TOLV_EDGE(960, FromPA, ToReg),
    TOLV_EDGE(961, FromOA, ToReg),
    TOLV_EDGE(962, FromPA, ToPD),
    TOLV_EDGE(963, FromOA, ToPD),
    TOLV_EDGE(964, FromPA, ToOD),
    TOLV_EDGE(965, FromOA, ToOD),
    TOLV_COORD(966, FromPA, ToReg, 0),
    TOLV_COORD(967, FromOA, ToReg, 0),
    TOLV_COORD(968, FromPA, ToPD, 0),
    TOLV_COORD(969, FromOA, ToPD, 0),
    TOLV_COORD(970, FromPA, ToOD, 0),
    TOLV_COORD(971, FromOA, ToOD, 0),
    TOLV_COORD(972, FromPA, ToReg, 1),
    TOLV_COORD(973, FromOA, ToReg, 1),
    TOLV_COORD(974, FromPA, ToPD, 1),
    TOLV_COORD(975, FromOA, ToPD, 1),
    TOLV_COORD(976, FromPA, ToOD, 1),
    TOLV_COORD(977, FromOA, ToOD, 1),
    TOLV_FIELD(1222, PlayerPassFields, ToReg),
    TOLV_FIELD(1223, CollidePassFields, ToReg),
    TOLV_FIELD(1224, PlayerPassFields, ToPD),
    TOLV_FIELD(1225, CollidePassFields, ToPD),
    TOLV_FIELD(1226, PlayerPassFields, ToOD),
    TOLV_FIELD(1227, CollidePassFields, ToOD),
    TOLV_XY(1228, FromCP, ToReg),
    TOLV_XY(1229, FromCOL, ToReg),
    TOLV_XY(1230, FromCP, ToPD),
    TOLV_XY(1231, FromCOL, ToPD),
    TOLV_XY(1232, FromCP, ToOD),
    TOLV_XY(1233, FromCOL, ToOD),
    TOLV_COORD(1234, FromCP, ToReg, 0),
    TOLV_COORD(1235, FromCOL, ToReg, 0),
    TOLV_COORD(1236, FromCP, ToPD, 0),
    TOLV_COORD(1237, FromCOL, ToPD, 0),
    TOLV_COORD(1238, FromCP, ToOD, 0),
    TOLV_COORD(1239, FromCOL, ToOD, 0),
    TOLV_COORD(1240, FromCP, ToReg, 1),
    TOLV_COORD(1241, FromCOL, ToReg, 1),
    TOLV_COORD(1242, FromCP, ToPD, 1),
    TOLV_COORD(1243, FromCOL, ToPD, 1),
    TOLV_COORD(1244, FromCP, ToOD, 1),
    TOLV_COORD(1245, FromCOL, ToOD, 1),
};
extern const CommandList box_command_list = TOLV_LIST(kBoxCommands);

}  // namespace tolv
