#include "audio/audio_device.h"

#include <SDL.h>
#include <alsa/error.h>

#include "audio/audio_lock.h"
#include "audio/mixer.h"
#include "base/message_log.h"

namespace tolv {

static bool audio_open = false;

static void Callback(void*, Uint8* stream, int len) {
  MixAudio(reinterpret_cast<int16_t*>(stream), uint32_t(len) / 4);
}

// The ALSA library writes its errors to stderr itself, line after line
// while SDL probes for a device; without one the engine says so once
// ("Couldn't start mixer!"). Quiet only while the device opens.
static void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

static bool OpenDevice(SDL_AudioSpec& want, SDL_AudioSpec& have) {
  snd_lib_error_set_handler(QuietAlsa);
  const bool opened = SDL_InitSubSystem(SDL_INIT_AUDIO) >= 0 && SDL_OpenAudio(&want, &have) >= 0;
  snd_lib_error_set_handler(nullptr);
  return opened;
}

bool StartAudio() {
  if (audio_open) return true;
  SDL_AudioSpec want{}, have{};
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = Callback;
  if (!OpenDevice(want, have) || have.freq != int(kMixRate) || have.format != AUDIO_S16SYS || have.channels != 2) {
    if (SDL_WasInit(SDL_INIT_AUDIO)) SDL_CloseAudio(), SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ShowMessage("Couldn't start mixer!");
    return false;
  }
  lock_audio = SDL_LockAudio;
  unlock_audio = SDL_UnlockAudio;
  audio_open = true;
  SDL_PauseAudio(0);
  return true;
}

void StopAudio() {
  if (!audio_open) return;
  SDL_PauseAudio(1);
  SDL_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audio_open = false;
  lock_audio = unlock_audio = [] {};
}

}  // namespace tolv
