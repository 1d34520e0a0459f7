// Requests from the game side to the mixer. Each is picked up at the start
// of the next audio buffer; a full queue drops the request.
#pragma once
#include <cstdint>

namespace tolv {

// Sound id and play type (see SoundPlayType); 16 requests per buffer.
void QueueSound(uint16_t sound, uint8_t type);
// Through this slot the game side queues; tests catch requests here.
extern void (*queue_sound)(uint16_t sound, uint8_t type);
// Music record id to play, or to play once over the music as a jingle.
void QueueMusic(uint16_t id, bool jingle);

}  // namespace tolv
