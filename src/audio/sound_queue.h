// Sound requests from the game side; the mixer installs the queue.
#pragma once
#include <cstdint>

namespace tolv {

// Adds a request to the sound request queue. The default drops it.
extern void (*queue_sound)(uint16_t sound, uint8_t type);

}  // namespace tolv
