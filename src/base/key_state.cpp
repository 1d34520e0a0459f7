#include "base/key_state.h"

namespace tolv {

uint8_t key_state[kKeyStateSize];
uint8_t pad_stride = 0;
uint8_t pad_row_offset = 0;
uint8_t active_screen = 0;

}  // namespace tolv
