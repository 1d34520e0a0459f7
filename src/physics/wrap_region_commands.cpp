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
#include "world/view_region.h"

namespace tolv {


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
  PlaceInRegion(r, n > 8 ? kViewItself : n);
  SelectPlayer(saved);
}

// 1185: player p stays selected; its box goes into the copy of its view
// that shows the running object (the view itself when none does).
static void FindObjectViewRegion() {
  PlayerRecord* r = GamePlayer(int64_t{RegOrConst(Op(1))});
  if (!r) return;
  SelectPlayer(r->index);
  uint8_t region = ViewRegion(ViewOf(r), SelfVar(1), SelfVar(2));
  PlaceInRegion(r, region == kNoViewRegion ? kViewItself : region);
}

static const CommandDef kWrapRegionCommands[] = {
    TOLV_ALL(1184, 3, SetPlayerWrapRegion, "player wrap region"),
    TOLV_ALL(1185, 2, FindObjectViewRegion, "object view region of player"),
};

static const CommandDoc kWrapRegionDocs[] = {
    {"player wrap region", CommandArea::kMovement, {"player index", "wrap region 0 to 8"},
     "Rebuilds the player's pass fields from its box and position and moves them into a wrap copy of its "
     "view, so that box tests compare it with objects seen there: by one wrap width right for regions 0, 3 "
     "and 6, left for 2, 5 and 8, one wrap height down for 0 to 2, up for 6 to 8. Region 4, and any region "
     "above 8, is the view itself; the player selected before stays the current player."},
    {"object view region of player", CommandArea::kMovement, {"player index"},
     "Makes the player the current player, finds the wrap copy of its view in which the running object is "
     "seen (4, the view itself, when none) and moves the player's pass fields into it as player wrap region "
     "does, so that following box tests compare the two in the same copy."},
};
extern const CommandList wrap_region_command_list = TOLV_DOCUMENTED(kWrapRegionCommands, kWrapRegionDocs);

}  // namespace tolv
