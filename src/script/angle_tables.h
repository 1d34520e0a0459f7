// The constant angle tables: 256 steps a turn; cosine and sine of amplitude
// 256, entries 256..319 repeating 0..63 so a lookup of angle + 64 needs no
// wrap. The movement routines read them too.
#pragma once
#include <cstdint>

namespace tolv {

extern const uint8_t atan_table[257];  // atan(i / 256) in angle steps, 0..32
extern const int16_t cos_table[320];
extern const int16_t sin_table[320];

// Table index of a script angle: 0..319 as is, anything else wrapped to a turn.
inline uint32_t AngleIndex(int32_t angle) {
  uint32_t a = static_cast<uint32_t>(angle);
  return a < 320 ? a : a & 255;
}

}  // namespace tolv
