// Player records, player variables and giving a player a character.
#pragma once
#include <cstdint>

#include "script/operands.h"
#include "script/records.h"

namespace tolv {

// PlayerVars words used here.
enum PlayerVarWord : uint32_t {
  kPvCharacter = 0,
  kPvAction = 1,
  kPvMovementMode = 2,
  kPvX = 3,
  kPvY = 4,
  kPvFollowX = 5,
  kPvFollowY = 6,
  kPvSpeedX = 7,
  kPvSpeedY = 8,
  kPvFlipX = 17,
  kPvFlipY = 18,
  kPvSwitchesOn = 26,
  kPvPlane = 28,
  kPvControlMode = 34,
  kPvDebugType = 35,
  kPvFlags = 36,
  kPvCameraOffsetX = 37,
  kPvCameraOffsetY = 38,
};

// The zone's debug placement types.
extern uint16_t* debug_types;
extern uint8_t debug_type_count;

void ResetPlayers();
void AllocPlayerVars();
void SetPlayerCharacter(int p, int c);
void ResetCharacterVars(int p);
void RunKeyCombinations();
// The camera step of the world update for the current player p.
void CameraStep(int p);
// View registers of player p from its follow point and offset, clamped to
// the camera limits unless the axis wraps.
void PlaceView(int p);

// PlayerVars word k of record r (0 outside the block).
inline int32_t& PVar(PlayerRecord* r, uint32_t k) {
  return Cell(r->player_vars, r->player_vars ? player_register_count : 0, k);
}

}  // namespace tolv
