#include "physics/player_move_frame.h"

#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "physics/movement_frame.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

PlayerRecord* GamePlayer(int64_t p) {
  int n = player_count < kMaxPlayers ? player_count : kMaxPlayers;
  if (p < 0 || p >= n || !player_records[p].player_vars) return nullptr;
  return &player_records[p];
}

PlayerRecord* GamePlayer(PlayerRecord* r) {
  return r && r != &void_player ? GamePlayer(int64_t{r->index}) : nullptr;
}

PlayerMoveFrame::PlayerMoveFrame(PlayerRecord* r)
    : count_(CountLoopInObjectVars), yield_(yield_flag),
      player_(static_cast<uint8_t>(Cell(registers, register_count, kRegPlayer))) {
  SelectPlayer(r->index);
}

PlayerMoveFrame::~PlayerMoveFrame() {
  SelectPlayer(player_);
  yield_flag = yield_;
}

AirMoveFrame::AirMoveFrame(PlayerRecord* r, bool x, bool y)
    : select_(r), r_(r), ground_(PVar(r, kPvOnGround)), keep_{x, y} {
  PVar(r, kPvOnGround) = 0;
  for (uint32_t k : {kPvHitUp, kPvHitDown, kPvHitLeft, kPvHitRight}) PVar(r, k) = 0;
  pending_[0] = PVar(r, kPvPendingX);
  pending_[1] = PVar(r, kPvPendingY);
}

AirMoveFrame::~AirMoveFrame() {
  if (keep_[0]) PVar(r_, kPvPendingX) = pending_[0];
  if (keep_[1]) PVar(r_, kPvPendingY) = pending_[1];
  if (ground_) PVar(r_, kPvOnGround) = ground_;
}

void MoveCurrentPlayer() {
  uint32_t mode = static_cast<uint32_t>(PVar(current_player, kPvMovementMode));
  if (mode < kMovementModes) movement_routines[mode](2);
}

void MoveCurrentPlayerBy(int axis, int32_t pending) {
  PVar(current_player, axis ? kPvPendingY : kPvPendingX) = pending;
  MoveCurrentPlayer();
}

}  // namespace tolv
