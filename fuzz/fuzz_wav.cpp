// Fuzz target for the WAV reader: any input is refused or decodes to a
// sample that the mixer then plays (looping, at the file's rate) without
// reading outside it.
#include <cstdint>
#include <cstdlib>

#include "audio/mixer.h"
#include "audio/sound_lists.h"
#include "audio/sound_queue.h"

using namespace tolv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SoundSample s;
  if (DecodeWav(data, size, s)) {
    if (s.data) std::abort();
    return 0;
  }
  if ((s.channels != 1 && s.channels != 2) || s.frame_count > size) std::abort();
  if (!sounds) sounds = static_cast<SoundSample*>(std::calloc(1, sizeof(SoundSample)));
  sounds[0] = s;
  sound_counts.total = sound_counts.game = 1;
  QueueSound(0, kPlayOnce);
  QueueSound(0, kPlayLoop);
  int16_t out[2 * 2048];
  MixAudio(out, 2048);
  FreeSounds(0);
  return 0;
}
