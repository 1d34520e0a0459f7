// Sound samples and music records of the game, zone and act scopes, as the
// list loaders read and decode them. The mixer reads these lists on the
// audio thread, so every change to them happens under the audio lock.
#pragma once
#include <cstdint>

#include "audio/sound_sample.h"
#include "audio/xm_module.h"
#include "base/scope_counts.h"
#include "files/file_stream.h"

namespace tolv {

// Kinds: 0 a sample played once, 1 a looping sample, 2 a sample then a
// second one looping; 3 an XM module; 4 an Ogg Vorbis stream played once,
// 5 a looping one, 6 a stream then a second one looping.
enum MusicKind : uint8_t { kMusicSample, kMusicLoop, kMusicIntroLoop, kMusicXm, kMusicOgg, kMusicOggLoop, kMusicOggIntroLoop };

struct MusicRecord {
  uint8_t kind = 0;
  SoundSample first, second;
  XmModule* xm = nullptr;
  FileStream* ogg[2] = {};  // whole files, decoded as they play
};

extern SoundSample* sounds;
extern ScopeCounts sound_counts;
extern MusicRecord* music;
extern ScopeCounts music_counts;
// Function the XM player calls on its effect; 65535 none.
extern uint16_t xm_effect_function;

// Read the list file `name` of the current folder into scope 0, 1 or 2;
// a missing list or listed file, or one that does not decode, is fatal.
void LoadSoundList(const char* name, int scope);
void LoadMusicList(const char* name, int scope);
// drop: 0 every entry, 1 the zone's and act's, 2 the act's. Whatever plays
// from the dropped entries stops first.
void FreeSounds(int drop);
void FreeMusic(int drop);

}  // namespace tolv
