// What every player movement routine shares: the move flags, the box taken
// from the current frame, the probe globals the object routines see, and
// the motion angle of a speed pair.
#pragma once
#include <cstdint>

#include "objects/players.h"
#include "script/records.h"

namespace tolv {

// Bits of kPvFlags.
enum MoveFlagBits : uint32_t {
  kEdgeTop = 1u << 0,
  kEdgeBottom = 1u << 1,
  kEdgeLeft = 1u << 2,
  kEdgeRight = 1u << 3,
  kStopOnContact = 1u << 5,
  kLandOnFloor = 1u << 6,
  kFullWallSensors = 1u << 7,
  kGroundSpeedDrives = 1u << 8,
  kFollowSlopes = 1u << 9,
  kTurnedBox = 1u << 10,
};

// The box fields at the head of PlayerRecord::motion, relative to the
// player's position; the object pass reads them too.
enum BoxField : int {
  kBoxLeft,
  kBoxRight,
  kBoxTop,
  kBoxBottom,
  kBoxLeftIn,
  kBoxRightIn,
  kBoxTopIn,
  kBoxBottomIn,
  kBoxCentreX,
  kBoxCentreY,
};

// Character variables the terrain routines read as unsigned bytes.
constexpr uint32_t kCharStepHeight = 7;
constexpr uint32_t kCharWallTopInset = 8;

// Movement modes 0..3 walk on terrain; 4..8 move freely.
constexpr int kMovementModes = 9;
constexpr int32_t kNoAngle = 999;     // move_angle / object_ground_angle: none found
constexpr int32_t kNoContact = 256;   // contact_angle: none this frame

// Probe state shared with the object collision routines.
extern uint8_t probe_hit;
extern int32_t object_ground_angle;
extern uint16_t probe_span;
extern int32_t move_angle;
extern int32_t floor_probe_y;

inline int32_t Wrap32(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
inline int32_t Add32(int32_t a, int64_t b) { return Wrap32(int64_t{a} + b); }

// Motion angle of a speed pair: 40 when both are 0.
int32_t MotionAngle(int32_t sx, int32_t sy);
// Writes the ten box fields from the player's current frame, the bounds
// taken crosswise when `turned`.
void SetPlayerBox(PlayerRecord* r, bool turned);
// The frame start every routine shares after its speeds are set: motion
// angle, start copies, parked and hit words cleared, was_on_ground.
void StartMovementFrame(int32_t* v);

// Fills movement_routines: 0..3 the terrain routines, 4..8 free movement.
void InstallMovementRoutines();
void MovePlayerOnFloor(uint8_t arg);
void MovePlayerOnRightWall(uint8_t arg);
void MovePlayerOnCeiling(uint8_t arg);
void MovePlayerOnLeftWall(uint8_t arg);
void MovePlayerFree(uint8_t arg);

}  // namespace tolv
