#include "audio/sound_queue.h"

#include "audio/mixer.h"

namespace tolv {

void QueueSound(uint16_t sound, uint8_t type) { sound_requests.Push(SoundRequest{sound, type}); }
void (*queue_sound)(uint16_t sound, uint8_t type) = QueueSound;

void QueueMusic(uint16_t id, bool jingle) { music_requests.Push(MusicRequest{id, uint8_t(jingle)}); }

}  // namespace tolv
