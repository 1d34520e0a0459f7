// Player movement commands: selecting a player, moving one by a distance
// as if it were in the air, and walking one along its surface. The moves
// run the player's own routine with argument 2, terrain and object passes
// included.
#include <iterator>

#include "objects/player_select.h"
#include "objects/players.h"
#include "physics/movement_frame.h"
#include "physics/player_move_frame.h"
#include "script/handles.h"
#include "script/operand_kinds.h"

namespace tolv {

// 1428 to 1431: the selection stays for the commands that follow.
static void SelectIfPlayer(PlayerRecord* r) {
  if (GamePlayer(r)) SelectPlayer(r->index);
}
static void SelectPlayerByIndex() {
  if (PlayerRecord* r = GamePlayer(int64_t{RegOrConst(Op(1))})) SelectPlayer(r->index);
}
template <Kind k>
static void SelectPlayerByHandle() {
  SelectIfPlayer(DecodePlayerHandle(KindCell<k>(Op(1))));
}

// A move of the destination player by (dx, dy), as the axes given.
static void MoveDestinationPlayer(bool x, bool y, int32_t dx, int32_t dy) {
  PlayerRecord* r = GamePlayer(player_operand_d);
  if (!r) return;
  AirMoveFrame frame(r, x, y);
  if (x) PVar(r, kPvPendingX) = dx;
  if (y) PVar(r, kPvPendingY) = dy;
  MoveCurrentPlayer();
}

template <Kind k>
static void MovePlayerX() {
  MoveDestinationPlayer(true, false, KindValue<k>(Op(1)), 0);
}
template <Kind k>
static void MovePlayerY() {
  MoveDestinationPlayer(false, true, 0, KindValue<k>(Op(1)));
}
template <Kind k>
static void MovePlayerXY() {
  MoveDestinationPlayer(true, true, KindValue<k>(Op(1)), KindValue<k>(Op(2)));
}

// 1120 to 1123: a walk along the surface of a terrain mode by the operand;
// ground and hit words are left as they are, so a grounded player walks.
template <Kind k>
static void RunMovementMode() {
  PlayerRecord* r = GamePlayer(player_operand_d);
  if (!r) return;
  int32_t distance = KindValue<k>(Op(1));
  PlayerMoveFrame frame(r);
  uint32_t mode = static_cast<uint32_t>(PVar(r, kPvMovementMode));
  if (mode > 3) return;
  uint32_t along = mode & 1 ? kPvPendingY : kPvPendingX;
  int32_t saved = PVar(r, along);
  PVar(r, along) = distance;
  MoveCurrentPlayer();
  PVar(r, along) = saved;
}

// Operand places in ID order: register, PA variable, OA variable, constant.
constexpr Kind kPlaces[4] = {Kind::R, Kind::PA, Kind::OA, Kind::K};

static constexpr auto kSelectCommands = FamilyDefs<4>([](auto i) {
  constexpr int n = decltype(i)::value;
  if constexpr (n == 0) {
    return CommandDef TOLV_ALL(1428, 2, SelectPlayerByIndex, "select player");
  } else {
    constexpr CommandHandler h = n == 1   ? SelectPlayerByHandle<Kind::R>
                                 : n == 2 ? SelectPlayerByHandle<Kind::PA>
                                          : SelectPlayerByHandle<Kind::OA>;
    return WithKinds(TOLV_ALL(uint16_t(1428 + n), 2, h, "select player by handle"), {kPlaces[n - 1]});
  }
});
static constexpr auto kRunModeCommands = FamilyDefs<4>([](auto i) {
  constexpr int n = decltype(i)::value;
  return WithKinds(TOLV_ALL(uint16_t(1120 + n), 2, RunMovementMode<kPlaces[n]>, "run movement mode"), {kPlaces[n]});
});
static constexpr auto kMoveCommands = FamilyDefs<8>([](auto i) {
  constexpr int n = decltype(i)::value;
  constexpr CommandHandler h = n < 4 ? MovePlayerX<kPlaces[n % 4]> : MovePlayerY<kPlaces[n % 4]>;
  return WithKinds(TOLV_ALL(uint16_t(1124 + n), 2, h, n < 4 ? "move player x" : "move player y"), {kPlaces[n % 4]});
});
static constexpr auto kMoveXYCommands = FamilyDefs<4>([](auto i) {
  constexpr int n = decltype(i)::value;
  return WithKinds(TOLV_ALL(uint16_t(1195 + n), 3, MovePlayerXY<kPlaces[n]>, "move player xy"), {kPlaces[n], kPlaces[n]});
});
static constexpr auto kMovementCommands = JoinDefs(kSelectCommands, kRunModeCommands, kMoveCommands, kMoveXYCommands);

// The moves act on the player in player slot D.
static const CommandDoc kMovementDocs[] = {
    {"select player", CommandArea::kPlayers, {"player index"},
     "Makes the player the current player from here on: register 9, the C operands and the commands that "
     "act on the current player name it. An index outside the game's players changes nothing."},
    {"select player by handle", CommandArea::kPlayers, {"player handle"},
     "Makes the player the handle names the current player for the commands that follow. A handle that "
     "names no player of the game changes nothing."},
    {"run movement mode", CommandArea::kMovement, {"distance, 8.8 pixels"},
     "Moves the player in slot D the distance along its surface with its own movement routine: along x on a "
     "floor or ceiling (modes 0 and 2), along y on a wall (modes 1 and 3), walking slopes when grounded, "
     "with terrain and objects reacting at every pixel. Ground and hit words are not cleared first, and the "
     "pending movement is put back after; in modes 4 and above nothing moves."},
    {"move player x", CommandArea::kMovement, {"distance, 8.8 pixels"},
     "Moves the player in slot D the distance along x as if it were in the air: pixel by pixel against "
     "walls, floors and ceilings, with objects reacting at every pixel, the hit words telling what stopped "
     "it. A grounded player stays grounded; its pending movement is put back, so the sub-pixel rest is "
     "dropped. In the free modes 4 to 8 the player's speeds are added to the move."},
    {"move player y", CommandArea::kMovement, {"distance, 8.8 pixels"},
     "As move player x along y."},
    {"move player xy", CommandArea::kMovement, {"x distance, 8.8 pixels", "y distance, 8.8 pixels"},
     "As move player x along both axes in one move."},
};
extern constinit const CommandList movement_command_list = {kMovementCommands.data(), kMovementCommands.size(),
                                                            kMovementDocs, std::size(kMovementDocs)};

}  // namespace tolv
