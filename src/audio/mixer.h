// The mixer: what the audio callback runs for each buffer, the sound
// channels, and the requests through which the game side reaches it. The
// game thread and the audio thread share only the request rings and the
// flags here; everything else the mixer reads changes under the audio lock.
#pragma once
#include <atomic>
#include <cstdint>

#include "audio/request_ring.h"
#include "audio/voice.h"

namespace tolv {

constexpr uint16_t kNoSound = 65535;
constexpr int kSoundChannels = 16;  // sound effects play on channels 1-15

// Play types of a sound request.
enum SoundPlayType : uint8_t { kPlayOnce = 0, kPlayLoop = 2, kPlayStop = 3, kPlayPause = 4, kPlayResume = 5 };

struct SoundChannel {
  uint16_t sound = kNoSound;  // playing sound id
  uint8_t loop = 0, paused = 0;
  uint32_t source_rate = 0;
  uint64_t pos = 0;            // 16.16 frames played
  uint16_t current_sample = 0; // the source value at the play position
  MixRun mix = nullptr;        // mono or stereo, chosen at the start
};

extern SoundChannel sound_channels[kSoundChannels];
extern uint8_t next_channel;  // where the search for a free channel starts

struct SoundRequest {
  uint16_t sound;
  uint8_t type;
};
struct MusicRequest {
  uint16_t id;
  uint8_t jingle;
};

extern RequestRing<SoundRequest, 16> sound_requests;  // game -> audio
extern RequestRing<MusicRequest, 8> music_requests;   // game -> audio
extern RequestRing<uint8_t, 64> xm_effect_posts;      // audio -> game: effect Z parameters
extern std::atomic<bool> xm_playing;                  // the music channel plays an XM module

// The callback's work: takes the requests, then mixes `frames` stereo
// frames of 16-bit samples into out.
void MixAudio(int16_t* out, uint32_t frames);

// Under the audio lock: stop what plays from sounds or music records at or
// above `first` (the lists are about to drop them).
void StopSoundsFrom(uint32_t first);
void StopMusicFrom(uint32_t first);

}  // namespace tolv
