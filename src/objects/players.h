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
  kPvGroundSpeed = 9,
  kPvStartSpeedX = 10,
  kPvStartSpeedY = 11,
  kPvStartGroundSpeed = 12,
  kPvPendingX = 13,
  kPvPendingY = 14,
  kPvParkedX = 15,
  kPvParkedY = 16,
  kPvFlipX = 17,
  kPvFlipY = 18,
  kPvHitUp = 19,
  kPvHitDown = 20,
  kPvHitLeft = 21,
  kPvHitRight = 22,
  kPvGroundAngle = 23,
  kPvMotionAngle = 24,
  kPvContactAngle = 25,
  kPvSwitchesOn = 26,  // the ground word: switches act on grounded players
  kPvOnGround = 26,
  kPvWasOnGround = 27,
  kPvPlane = 28,
  kPvWrapRegion = 29,
  kPvBoxFlipX = 30,
  kPvBoxFlipY = 31,
  kPvLastBoundaryEvent = 32,  // index in the act's events; 65535 none
  kPvControlMode = 34,
  kPvDebugType = 35,
  kPvFlags = 36,
  kPvCameraOffsetX = 37,
  kPvCameraOffsetY = 38,
  kPvWordCount = 39,  // the fixed part of every block
};

// The zone's debug placement types.
extern uint16_t* debug_types;
extern uint8_t debug_type_count;

void ResetPlayers();
void AllocPlayerVars();
void SetPlayerCharacter(int p, int c);
void ResetCharacterVars(int p);
void RunKeyCombinations();
// The camera step of the world update for the current player p: the
// follow point, then the view.
void CameraStep(int p);
// The level wrap seam (player, follow point and scroll offset shift by a
// wrap length) and the follow box, for player p's follow point.
void MoveFollowPoint(int p);
// View registers of player p from its follow point and offset, clamped to
// the camera limits unless the axis wraps.
void PlaceView(int p);

// PlayerVars word k of record r (0 outside the block).
inline int32_t& PVar(PlayerRecord* r, uint32_t k) {
  return Cell(r->player_vars, r->player_vars ? player_register_count : 0, k);
}

}  // namespace tolv
