#include "audio/audio_lock.h"

namespace tolv {

static void NoLock() {}
void (*lock_audio)() = NoLock;
void (*unlock_audio)() = NoLock;

}  // namespace tolv
