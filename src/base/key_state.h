// Keyboard and pad state built each frame, and the screen selector.
#pragma once
#include <cstdint>

namespace tolv {

// Rows of 128 by scan code: pressed this frame, held, pressed or repeat
// tick, repeat countdown; the key-map entry states follow from byte 512.
constexpr uint32_t kKeyStateSize = 4096;
extern uint8_t key_state[kKeyStateSize];
extern uint8_t pad_stride;      // bytes per player's key map block
extern uint8_t pad_row_offset;  // from a pad's first row to its second
extern uint8_t active_screen;

// Key-state byte i, 0 beyond the array.
inline uint8_t KeyByte(uint32_t i) { return i < kKeyStateSize ? key_state[i] : 0; }

}  // namespace tolv
