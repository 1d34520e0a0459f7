// Wrap regions of a player's world box: placing the box into one of the
// nine wrap copies of its view (1184), or into the copy in which the view
// sees the running object (1185), so that box tests that follow compare
// the player and the object in the same copy.
#include "objects/player_select.h"
#include "objects/players.h"
#include "physics/player_move_frame.h"
#include "physics/pass_geometry.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kCentreRegion = 4;

static int ViewOf(const PlayerRecord* r) { return r->index == 1 && registers[kRegScreenMode] == 2 ? 1 : 0; }

// The world fields rebuilt from the box fields and the position, then
// shifted into region n (row n / 3 and column n % 3 of the 3 x 3 copies
// around the view, 4 the view itself).
static void PlaceInRegion(PlayerRecord* r, uint32_t n) {
  int view = ViewOf(r);
  int64_t width = registers[kRegWrapWidth + view], height = registers[kRegWrapHeight + view];
  int64_t dx = n % 3 == 0 ? width : n % 3 == 2 ? -width : 0;
  int64_t dy = n / 3 == 0 ? height : n / 3 == 2 ? -height : 0;
  PVar(r, kPvWrapRegion) = static_cast<int32_t>(n);
  int32_t* m = r->motion;
  m[kBoxCentreX] = static_cast<int32_t>((int64_t{m[kBoxLeft]} + m[kBoxRight]) >> 1);
  m[kBoxCentreY] = static_cast<int32_t>((int64_t{m[kBoxTop]} + m[kBoxBottom]) >> 1);
  WriteWorldFields(r);
  ShiftWorldFields(m, static_cast<int32_t>(dx), static_cast<int32_t>(dy));
}

// 1184: region n of player p; a region above 8 is the view itself.
static void SetPlayerWrapRegion() {
  PlayerRecord* r = GamePlayer(int64_t{RegOrConst(Op(1))});
  if (!r) return;
  uint32_t n = static_cast<uint32_t>(RegOrConst(Op(2)));
  int32_t saved = registers[kRegPlayer];
  SelectPlayer(r->index);
  PlaceInRegion(r, n > 8 ? kCentreRegion : n);
  SelectPlayer(saved);
}

// Whether v lies in a..b widened by 160 pixels on both sides.
static bool Near(int64_t v, int64_t a, int64_t b) { return v >= a - 160 && v <= b + 160; }

// The copy of player p's view in which it sees the running object: the
// view itself, or across the wrap seams its target limits allow.
static uint32_t ObjectViewRegion(const PlayerRecord* r) {
  const int view = ViewOf(r);
  const int32_t* R = registers;
  const int64_t cam_x = R[19 + view], cam_y = R[21 + view];
  const int64_t left = R[kRegTargetLeft + view], top = R[kRegTargetTop + view];
  const int64_t right = R[kRegTargetRight + view], bottom = R[kRegTargetBottom + view];
  const int64_t width = R[kRegWrapWidth + view], height = R[kRegWrapHeight + view], frame_w = R[13], frame_h = R[14];
  const bool wrap_x = R[kRegWrapX + view] != 0, wrap_y = R[kRegWrapY + view] != 0;
  const int64_t ox = SelfVar(1), oy = SelfVar(2);
  const bool columns = Near(ox, cam_x, cam_x + frame_w), rows = Near(oy, cam_y, cam_y + frame_h);
  const bool east = wrap_x && Near(ox, cam_x + width, right), west = wrap_x && Near(ox, left, cam_x - width + frame_w);
  if (columns && rows) return kCentreRegion;
  if (rows && east) return 3;
  if (rows && west) return 5;
  if (!wrap_y) return kCentreRegion;
  // Row 0 lies below the view, row 2 above it.
  for (uint32_t row : {0u, 2u}) {
    if (!(row == 0 ? Near(oy, cam_y + height, bottom) : Near(oy, top, cam_y - height + frame_h))) continue;
    if (columns) return row * 3 + 1;
    if (east) return row * 3;
    if (west) return row * 3 + 2;
    return kCentreRegion;
  }
  return kCentreRegion;
}

// 1185: player p stays selected.
static void FindObjectViewRegion() {
  PlayerRecord* r = GamePlayer(int64_t{RegOrConst(Op(1))});
  if (!r) return;
  SelectPlayer(r->index);
  PlaceInRegion(r, ObjectViewRegion(r));
}

static const CommandDef kWrapRegionCommands[] = {
    TOLV_ALL(1184, 3, SetPlayerWrapRegion, "player wrap region"),
    TOLV_ALL(1185, 2, FindObjectViewRegion, "object view region of player"),
};
extern const CommandList wrap_region_command_list = TOLV_LIST(kWrapRegionCommands);

}  // namespace tolv
