// The music channel: one music record of any kind playing, and a jingle
// that plays once over it and then gives the channel back to the saved
// music where it left off. Audio thread only (the game side posts
// requests, see mixer.h).
#pragma once
#include <cstdint>

#include "audio/ogg_source.h"
#include "audio/xm_player.h"

namespace tolv {

constexpr uint16_t kNoMusic = 65535;

struct MusicVoice {
  uint16_t id = kNoMusic;
  uint8_t kind = 0;
  uint8_t part = 0;  // kinds 2 and 6: 1 once the second part plays
  uint8_t once = 0;  // a jingle: no loops, ends at the song's end
  uint64_t pos = 0;  // 16.16 frames into the sample or the Ogg window
  XmPlayer xm;
  OggSource ogg;
};

extern MusicVoice music_voice;   // what the channel plays
extern MusicVoice saved_music;   // what a jingle interrupted; id kNoMusic none

// Starts music record `id` (kNoMusic: silence). A jingle saves what plays.
void StartMusic(uint16_t id, bool jingle);
// Adds n frames of music into the accumulator.
void RenderMusic(int32_t* acc, uint32_t n);
void StopMusic(MusicVoice& v);
// Frames into the record's current part (for saved states).
uint32_t MusicPosition(const MusicVoice& v);
void SeekMusic(MusicVoice& v, uint32_t frame);

}  // namespace tolv
