// Reading the tile under a point of a plane (827-841) or of the running
// object's own tile map (1202-1216): its id, floor, angle and the
// collision byte of that pixel, with the point taken from registers,
// variables or hot spots of a frame. And copying a block of a plane into
// an object's map (1440).
#include "objects/builtin_routines.h"
#include "objects/object_map.h"
#include "objects/player_frame.h"
#include "objects/players.h"
#include "script/operand_kinds.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

// Where x and y come from: registers, PA or OA variables, or hot spots
// (op1's x, op2's y) of the PA player's or the OA object's frame.
enum class At { kReg, kPA, kOA, kPASpot, kOASpot };
constexpr At kSources[5] = {At::kReg, At::kPA, At::kOA, At::kPASpot, At::kOASpot};

struct Point {
  int64_t x, y;
};

// Hot spot i of f, plain or mirrored; a missing frame or spot is (0, 0).
static HotSpot SpotOf(const SpriteFrame* f, uint32_t i, bool mirrored) {
  const HotSpot* spot = FrameHotSpot(f, i, mirrored);
  return spot ? *spot : HotSpot{0, 0};
}

// (x, y) moved by the x of hot spot op1 and the y of hot spot op2, each
// axis plain or mirrored as its flip says.
static Point SpotPoint(const SpriteFrame* f, int64_t x, int64_t y, bool flip_x, bool flip_y) {
  return {x + SpotOf(f, Op(1) & kIndexMask, flip_x).x, y + SpotOf(f, Op(2) & kIndexMask, flip_y).y};
}

template <At S>
static Point SourcePoint() {
  if constexpr (S == At::kReg) {
    return {Reg(Op(1)), Reg(Op(2))};
  } else if constexpr (S == At::kPA) {
    return {PAVar(Op(1)), PAVar(Op(2))};
  } else if constexpr (S == At::kOA) {
    return {OAVar(Op(1)), OAVar(Op(2))};
  } else if constexpr (S == At::kPASpot) {
    PlayerRecord* r = player_operand_a;
    return SpotPoint(PlayerFrame(r), PVar(r, kPvX), PVar(r, kPvY), PlayerFlipH(r), PlayerFlipV(r));
  } else {
    const ObjectSlot* o = object_operand_a;
    uint32_t flags = static_cast<uint32_t>(ObjVar(o, 6));
    return SpotPoint(CurrentFrame(o), ObjVar(o, 1), ObjVar(o, 2), flags & kFlipX, flags & kFlipY);
  }
}

// The plane operand (op3) lives where the point's owner does.
template <At S>
static int32_t SourcePlane() {
  if constexpr (S == At::kReg) return Reg(Op(3));
  else if constexpr (S == At::kPA || S == At::kPASpot) return PAVar(Op(3));
  else return OAVar(Op(3));
}

// What a read answers; all 0 where there is no tile. An id beyond the
// tile set is still reported, with the empty tile's bytes.
struct TileRead {
  int32_t id = 0;
  uint8_t floor = 0, angle = 0, collision = 0;
};

static TileRead ReadTile(int32_t id, int64_t x, int64_t y) {
  const Tile& t = TileAt(static_cast<uint32_t>(id));
  return {id, t.floor, t.angle, t.collision[(x & 7) * 8 + (y & 7)]};
}

template <Kind Out>
static void StoreRead(const TileRead& r) {
  KindCell<Out>(Op(4)) = r.id;
  KindCell<Out>(Op(5)) = r.floor;
  KindCell<Out>(Op(6)) = r.angle;
  KindCell<Out>(Op(7)) = r.collision;
}

// One wrap step on an axis for the current player p: with level wrap on,
// a point before the window moves on by the wrap length and one at or past
// its end back by it; with wrap off, by the plane's size in pixels.
static int64_t WrapAxis(int64_t v, uint32_t p, uint32_t wrap, uint32_t start, uint32_t end, uint32_t length,
                        int64_t size) {
  if (registers[wrap + p]) {
    if (v < registers[start + p]) return v + registers[length + p];
    return v >= registers[end + p] ? v - registers[length + p] : v;
  }
  if (v < 0) v += size;
  return v >= size ? v - size : v;
}

// A point still outside the plane after the wrap step, or a plane beyond
// the level, reads nothing.
template <At S, Kind Out>
static void CmdReadPlaneTile() {
  Point pt = SourcePoint<S>();
  uint8_t plane = static_cast<uint8_t>(SourcePlane<S>());
  tile_probe_plane = plane;
  TileRead r;
  if (const TilePlane* p = PlaneAt(plane)) {
    uint32_t player = registers[kRegPlayer] == 1 ? 1 : 0;
    pt.x = WrapAxis(pt.x, player, kRegWrapX, kRegLimitLeft, kRegLimitRight, kRegWrapWidth, int64_t{p->width} * 8);
    pt.y = WrapAxis(pt.y, player, kRegWrapY, kRegLimitTop, kRegLimitBottom, kRegWrapHeight, int64_t{p->height} * 8);
    if (const uint16_t* cell = PlaneCell(*p, pt.x >> 3, pt.y >> 3)) r = ReadTile(*cell, pt.x, pt.y);
  }
  tile_probe_x = static_cast<int32_t>(pt.x);
  tile_probe_y = static_cast<int32_t>(pt.y);
  StoreRead<Out>(r);
}

// The probe holds the point relative to the map's top-left corner.
template <At S, Kind Out>
static void CmdReadObjectMapTile() {
  Point pt = SourcePoint<S>();
  TileRead r;
  ObjectMap m;
  if (m.Load(running_slot)) {
    int64_t x = pt.x - m.left, y = pt.y - m.top;
    tile_probe_x = static_cast<int32_t>(x);
    tile_probe_y = static_cast<int32_t>(y);
    if (m.Inside(x, y)) r = ReadTile(m.Id(x, y), x, y);
  }
  StoreRead<Out>(r);
}

// The block of the plane at (column, row) the size of OD's map fills the
// map; entries whose cell lies outside the plane stay as they are.
static void CmdCopyPlaneBlockToObjectMap() {
  const TilePlane* p = PlaneAt(static_cast<uint8_t>(RegOrConst(Op(1))));
  int64_t column = RegOrConst(Op(2)), row = RegOrConst(Op(3));
  ObjectSlot* o = object_operand_d;
  ObjectMap m;
  if (!p || !m.Load(o)) return;
  int32_t* ids = o->vars + (m.ids - o->vars);
  for (int64_t r = 0; r < m.H / 8; r++)
    for (int64_t c = 0; c < m.width; c++)
      if (const uint16_t* cell = PlaneCell(*p, column + c, row + r)) ids[r * m.width + c] = *cell;
}

// Names by point source: the hot-spot sources read words 1 and 2 as hot
// spots, not coordinates, and whose frame they are makes a name of its own.
constexpr const char* kPlaneReadNames[5] = {"read plane tile", "read plane tile", "read plane tile",
                                            "read plane tile at player hot spots",
                                            "read plane tile at object hot spots"};
constexpr const char* kMapReadNames[5] = {"read object map tile", "read object map tile", "read object map tile",
                                          "read object map tile at player hot spots",
                                          "read object map tile at object hot spots"};

// Where words 1-3 of a read live for each point source; a map read has no
// plane word.
constexpr Kind PointKind(At s) {
  return s == At::kReg ? Kind::R : s == At::kPA ? Kind::PA : s == At::kOA ? Kind::OA : Kind::K;
}
constexpr Kind PlaneKind(At s) {
  return s == At::kReg ? Kind::R : s == At::kPA || s == At::kPASpot ? Kind::PA : Kind::OA;
}

// Variant i: point source i % 5, outputs i / 5 (R, PD, OD).
static constexpr auto kPlaneReads = FamilyDefs<15>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr At s = kSources[n % 5];
  constexpr Kind out = kDestKinds[n / 5];
  return WithKinds(CommandDef TOLV_ALL(uint16_t(827 + n), 8, (CmdReadPlaneTile<s, out>), kPlaneReadNames[n % 5]),
                   {PointKind(s), PointKind(s), PlaneKind(s), out, out, out, out});
});
static constexpr auto kMapReads = FamilyDefs<15>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr At s = kSources[n % 5];
  constexpr Kind out = kDestKinds[n / 5];
  return WithKinds(CommandDef TOLV_ALL(uint16_t(1202 + n), 8, (CmdReadObjectMapTile<s, out>), kMapReadNames[n % 5]),
                   {PointKind(s), PointKind(s), Kind::None, out, out, out, out});
});
static constexpr std::array<CommandDef, 1> kMapCopy = {
    CommandDef TOLV_ALL(1440, 4, CmdCopyPlaneBlockToObjectMap, "plane block to object map")};

static constexpr auto kTileReadCommands = JoinDefs(kPlaneReads, kMapReads, kMapCopy);

#define TOLV_READ_OUTPUTS "destination of the tile id", "destination of the floor byte", \
    "destination of the angle", "destination of the collision byte"
#define TOLV_READ_ANSWERS \
  "It stores the tile's id, its floor byte, its angle (256 steps a turn) and the collision byte of that pixel " \
  "(0 empty, 1 stood on from above only, 2 solid)."
#define TOLV_AT_HOT_SPOTS \
  "moved by the x of the first hot spot and the y of the second of the frame it shows, each mirrored as " \
  "the frame is drawn; a hot spot the frame lacks moves it by 0"

static const CommandDoc kTileReadDocs[] = {
    {"read plane tile", CommandArea::kPlanes, {"x in pixels", "y in pixels", "plane", TOLV_READ_OUTPUTS},
     "Reads the tile of the plane under the point. " TOLV_READ_ANSWERS
     " A point outside the plane is wrapped once, by the current player's wrap length where its level wraps, else "
     "by the plane's size; one still outside, or a plane the level lacks, reads 0 for all four."},
    {"read plane tile at player hot spots", CommandArea::kPlanes,
     {"hot spot giving x", "hot spot giving y", "plane", TOLV_READ_OUTPUTS},
     "Reads the tile of the plane under the position of the player in player slot A " TOLV_AT_HOT_SPOTS ". "
     TOLV_READ_ANSWERS " Wrapping and what lies outside are as for read plane tile."},
    {"read plane tile at object hot spots", CommandArea::kPlanes,
     {"hot spot giving x", "hot spot giving y", "plane", TOLV_READ_OUTPUTS},
     "Reads the tile of the plane under the position of the object in object slot A " TOLV_AT_HOT_SPOTS ". "
     TOLV_READ_ANSWERS " Wrapping and what lies outside are as for read plane tile."},
    {"read object map tile", CommandArea::kPlanes, {"x in pixels", "y in pixels", "ignored", TOLV_READ_OUTPUTS},
     "Reads the tile under the point in the running object's own tile map, the one centred on it. "
     TOLV_READ_ANSWERS " A point outside the map, or an object without one, reads 0 for all four."},
    {"read object map tile at player hot spots", CommandArea::kPlanes,
     {"hot spot giving x", "hot spot giving y", "ignored", TOLV_READ_OUTPUTS},
     "Reads the tile of the running object's own tile map under the position of the player in player slot A "
     TOLV_AT_HOT_SPOTS ". " TOLV_READ_ANSWERS " A point outside the map reads 0 for all four."},
    {"read object map tile at object hot spots", CommandArea::kPlanes,
     {"hot spot giving x", "hot spot giving y", "ignored", TOLV_READ_OUTPUTS},
     "Reads the tile of the running object's own tile map under the position of the object in object slot A "
     TOLV_AT_HOT_SPOTS ". " TOLV_READ_ANSWERS " A point outside the map reads 0 for all four."},
    {"plane block to object map", CommandArea::kPlanes, {"plane", "first column (tiles)", "first row (tiles)"},
     "Fills the own tile map of the object in object slot D with the block of the plane's tiles of the map's size "
     "whose top-left cell is the column and row given. Map entries whose cell lies outside the plane stay as they "
     "are; an object without a map, or a plane the level lacks, changes nothing."},
};
extern constinit const CommandList tile_read_command_list = {kTileReadCommands.data(), kTileReadCommands.size(),
                                                             kTileReadDocs, std::size(kTileReadDocs)};

}  // namespace tolv
