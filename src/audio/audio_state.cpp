#include "audio/audio_state.h"

#include "audio/audio_lock.h"
#include "audio/mixer.h"
#include "audio/music_player.h"
#include "audio/saved_blocks.h"
#include "audio/sound_lists.h"
#include "base/scope_counts.h"
#include "script/global_contexts.h"

namespace tolv {

void UnloadAudio(int drop) {
  FreeMusic(drop);
  FreeSounds(drop);
  if (drop <= kScopeGame || xm_effect_function >= script_functions.total) xm_effect_function = 65535;
}

void ResetAudio() {
  AudioLock lock;
  for (SoundChannel& c : sound_channels) c = SoundChannel{};
  next_channel = 1;
  StopMusic(music_voice);
  StopMusic(saved_music);
  xm_playing.store(false);
  sound_requests.Clear();
  music_requests.Clear();
  xm_effect_posts.Clear();
  DropPendingAudioState();
}

}  // namespace tolv
