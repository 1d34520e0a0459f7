// Free movement (modes 4 to 8, 8 being the debug placement cursor): the
// speeds alone move the player, with no terrain, no sensors and no object
// pass. Whole pixels of the pending movement are applied in one step.
#include "physics/movement_frame.h"

#include "objects/players.h"
#include "script/operands.h"

namespace tolv {

// Adds the speed to the pending movement and moves the position by the
// whole pixels of it; the rest keeps the sign and lies in -255..255.
static void FreeAxis(int32_t& pos, int32_t& pending, int32_t speed) {
  pending = Add32(pending, speed);
  if (pending >= -255 && pending <= 255) return;
  int32_t n = pending / 256;
  pos = Add32(pos, n);
  pending -= n * 256;
}

void MovePlayerFree(uint8_t arg) {
  PlayerRecord* r = current_player;
  int32_t* v = r->player_vars;
  if (!v || player_register_count < kPvWordCount) return;
  // The inner top and bottom stay as the last terrain routine left them.
  int32_t top_in = r->motion[kBoxTopIn], bottom_in = r->motion[kBoxBottomIn];
  SetPlayerBox(r, false);
  r->motion[kBoxTopIn] = top_in;
  r->motion[kBoxBottomIn] = bottom_in;
  if (arg == 0) {
    v[kPvOnGround] = 0;
    StartMovementFrame(v);
  }
  FreeAxis(v[kPvX], v[kPvPendingX], v[kPvSpeedX]);
  FreeAxis(v[kPvY], v[kPvPendingY], v[kPvSpeedY]);
}

}  // namespace tolv
