// The keys the editors read, by scan code (the key state's numbering),
// and the key-state rows they read them from.
#pragma once
#include <cstdint>

#include "base/key_state.h"

namespace tolv {

enum EditorKey : uint8_t {
  kEdKey1 = 2,  // 1 to 9 and 0 are 2 to 11
  kEdKeyT = 20,
  kEdKeyEnter = 28,
  kEdKeyS = 31,
  kEdKeyD = 32,
  kEdKeyF = 33,
  kEdKeyG = 34,
  kEdKeyLeftShift = 42,
  kEdKeyX = 45,
  kEdKeyC = 46,
  kEdKeyV = 47,
  kEdKeyB = 48,
  kEdKeySpace = 57,
  kEdKeyF2 = 60,
  kEdKeyF3 = 61,
  kEdKeyF5 = 63,
  kEdKeyF6 = 64,
  kEdKeyUp = 72,
  kEdKeyPageUp = 73,
  kEdKeyLeft = 75,
  kEdKeyRight = 77,
  kEdKeyDown = 80,
  kEdKeyPageDown = 81,
};

// Went down this frame; held; went down or a repeat tick.
inline bool EdPressed(uint8_t k) { return k < 128 && KeyByte(k); }
inline bool EdHeld(uint8_t k) { return k < 128 && KeyByte(128u + k); }
inline bool EdPulse(uint8_t k) { return k < 128 && KeyByte(256u + k); }

// -1, 0 or 1 along each axis from the arrows' pulses.
inline int32_t ArrowStepX() { return int32_t(EdPulse(kEdKeyRight)) - int32_t(EdPulse(kEdKeyLeft)); }
inline int32_t ArrowStepY() { return int32_t(EdPulse(kEdKeyDown)) - int32_t(EdPulse(kEdKeyUp)); }

}  // namespace tolv
