// What the commands that move a player through its movement routine keep
// around the move: the object passes inside it run other scripts on this
// thread, so the lane's machine state, the selected player and the Count
// command's slot are put back however the move went.
#pragma once
#include <cstdint>

#include "script/count_slot.h"
#include "script/machine_state.h"
#include "script/records.h"

namespace tolv {

// Player record p of the game (p below player_count, with a variable
// block), or null.
PlayerRecord* GamePlayer(int64_t p);
// A record that names a player of the game, or null.
PlayerRecord* GamePlayer(PlayerRecord* r);

// Selects the player for the command's work; the destructor selects the
// player register 9 named before (its low byte) and restores the machine.
class PlayerMoveFrame {
 public:
  explicit PlayerMoveFrame(PlayerRecord* r);
  ~PlayerMoveFrame();
  PlayerMoveFrame(const PlayerMoveFrame&) = delete;
  PlayerMoveFrame& operator=(const PlayerMoveFrame&) = delete;

 private:
  SavedMachineState machine_;
  CountSlotGuard count_;
  uint8_t yield_;
  uint8_t player_;
};

// A player frame for moves made as if the player were in the air: ground
// and hit words are cleared first; afterwards the pending words of the
// axes the command sets are put back (the sub-pixel rest of its moves is
// dropped) and a grounded player gets its ground back, while an airborne
// one keeps whatever ground the moves gave it.
class AirMoveFrame {
 public:
  AirMoveFrame(PlayerRecord* r, bool x, bool y);
  ~AirMoveFrame();
  AirMoveFrame(const AirMoveFrame&) = delete;
  AirMoveFrame& operator=(const AirMoveFrame&) = delete;

 private:
  PlayerMoveFrame select_;
  PlayerRecord* r_;
  int32_t ground_;
  int32_t pending_[2];
  bool keep_[2];
};

// A scripted move of the current player: its movement routine with
// argument 2. A mode of 9 or more has no routine and moves nothing.
void MoveCurrentPlayer();
// The same after setting pending word `axis` (0 x, 1 y).
void MoveCurrentPlayerBy(int axis, int32_t pending);

}  // namespace tolv
