// Camera limits: every frame each player's current limits ease towards the
// targets scripts set, and the editors keep the view registers aside while
// they run.
#pragma once
#include <cstdint>

namespace tolv {

// Eases the limits of player register 9 against its view (320 wide
// whatever the screen mode, register 14 high); with one view, player 1's
// limits then copy player 0's.
void EaseCameraLimits();

// Registers 23 to 50 (limits, targets, wrap, scroll offsets, wrap size):
// saved when an editor is entered from the game, restored when it is left.
constexpr uint32_t kFirstViewRegister = 23;
constexpr uint32_t kViewRegisterCount = 28;
void SaveViewRegisters();
void RestoreViewRegisters();

}  // namespace tolv
