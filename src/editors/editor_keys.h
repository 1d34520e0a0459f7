// The key-state rows the editors read keys from.
#pragma once
#include <cstdint>

#include "base/key_state.h"
#include "base/scan_codes.h"

namespace tolv {

// Went down this frame; held; went down or a repeat tick.
inline bool EdPressed(uint8_t k) { return k < 128 && KeyByte(k); }
inline bool EdHeld(uint8_t k) { return k < 128 && KeyByte(kHeldRow + k); }
inline bool EdPulse(uint8_t k) { return k < 128 && KeyByte(kPulseRow + k); }

// -1, 0 or 1 along each axis from the arrows' pulses.
inline int32_t ArrowStepX() { return int32_t(EdPulse(kScanRight)) - int32_t(EdPulse(kScanLeft)); }
inline int32_t ArrowStepY() { return int32_t(EdPulse(kScanDown)) - int32_t(EdPulse(kScanUp)); }

}  // namespace tolv
