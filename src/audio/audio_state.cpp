#include "audio/audio_state.h"

#include "audio/sound_lists.h"
#include "base/scope_counts.h"
#include "script/global_contexts.h"

namespace tolv {

void UnloadAudio(int drop) {
  FreeMusic(drop);
  FreeSounds(drop);
  if (drop <= kScopeGame || xm_effect_function >= script_functions.total) xm_effect_function = 65535;
}

}  // namespace tolv
