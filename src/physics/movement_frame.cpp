#include "physics/movement_frame.h"

#include "objects/collision_passes.h"
#include "objects/player_frame.h"
#include "script/angle_tables.h"
#include "world/sprite_frame.h"

namespace tolv {

uint8_t probe_hit = 0;
int32_t object_ground_angle = kNoAngle;
uint16_t probe_span = 0;
int32_t move_angle = kNoAngle;
int32_t floor_probe_y = 0;

int32_t MotionAngle(int32_t sx, int32_t sy) {
  if (sx == 0 && sy == 0) return 40;
  int64_t ax = sx < 0 ? -int64_t{sx} : sx, ay = sy < 0 ? -int64_t{sy} : sy;
  int32_t a = ax > ay ? atan_table[ay * 256 / ax] : 64 - atan_table[ax * 256 / ay];
  if (sx < 0) a = 128 - a;
  if (sy < 0) a = -a & 255;
  return a;
}

void SetPlayerBox(PlayerRecord* r, bool turned) {
  const Box box = PlayerFrameBox(r, turned);
  int32_t* b = r->motion;
  b[kBoxLeft] = box.left;
  b[kBoxRight] = box.right;
  b[kBoxTop] = box.top;
  b[kBoxBottom] = box.bottom;
  b[kBoxLeftIn] = Add32(b[kBoxLeft], 1);
  b[kBoxRightIn] = Add32(b[kBoxRight], -1);
  b[kBoxTopIn] = Add32(b[kBoxTop], 1);
  b[kBoxBottomIn] = Add32(b[kBoxBottom], -1);
  b[kBoxCentreX] = static_cast<int32_t>((int64_t{b[kBoxLeft]} + b[kBoxRight]) >> 1);
  b[kBoxCentreY] = static_cast<int32_t>((int64_t{b[kBoxTop]} + b[kBoxBottom]) >> 1);
}

void StartMovementFrame(int32_t* v) {
  v[kPvMotionAngle] = MotionAngle(v[kPvSpeedX], v[kPvSpeedY]);
  v[kPvContactAngle] = kNoContact;
  v[kPvStartSpeedX] = v[kPvSpeedX];
  v[kPvStartSpeedY] = v[kPvSpeedY];
  v[kPvStartGroundSpeed] = v[kPvGroundSpeed];
  v[kPvParkedX] = v[kPvParkedY] = 0;
  v[kPvHitUp] = v[kPvHitDown] = v[kPvHitLeft] = v[kPvHitRight] = 0;
  v[kPvWasOnGround] = v[kPvOnGround];
}

void InstallMovementRoutines() {
  movement_routines[0] = MovePlayerOnFloor;
  movement_routines[1] = MovePlayerOnRightWall;
  movement_routines[2] = MovePlayerOnCeiling;
  movement_routines[3] = MovePlayerOnLeftWall;
  for (int m = 4; m < kMovementModes; m++) movement_routines[m] = MovePlayerFree;
}

}  // namespace tolv
