// The one lock between the game thread and the audio thread: the device
// glue installs SDL's audio lock here; headless it does nothing. The game
// side holds it while it frees or moves anything the mixer may read.
#pragma once

namespace tolv {

extern void (*lock_audio)();
extern void (*unlock_audio)();

struct AudioLock {
  AudioLock() { lock_audio(); }
  ~AudioLock() { unlock_audio(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;
};

}  // namespace tolv
