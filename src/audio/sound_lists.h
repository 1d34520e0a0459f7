// Sound samples and music records of the game, zone and act scopes, as the
// list loaders read them. Until the decoders exist each record holds the
// raw bytes of its file.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"
#include "files/file_stream.h"

namespace tolv {

struct SoundSample {
  uint8_t* data = nullptr;  // raw file bytes until the decoder lands
  uint32_t size = 0;
  uint32_t frame_count = 0;
};

// Kinds: 0-2 samples (2 with a second one), 3 an XM module, 4 and 5 an
// Ogg Vorbis stream, 6 two of them.
struct XmModule {
  uint8_t* data = nullptr;
  uint32_t size = 0;
};
struct MusicRecord {
  uint8_t kind = 0;
  SoundSample first, second;
  XmModule* xm = nullptr;
  FileStream* ogg[2] = {};
};

extern SoundSample* sounds;
extern ScopeCounts sound_counts;
extern MusicRecord* music;
extern ScopeCounts music_counts;
// Function the XM player calls on its effect; 65535 none.
extern uint16_t xm_effect_function;

// Read the list file `name` of the current folder into scope 0, 1 or 2;
// a missing list or listed file is fatal.
void LoadSoundList(const char* name, int scope);
void LoadMusicList(const char* name, int scope);
// drop: 0 every entry, 1 the zone's and act's, 2 the act's.
void FreeSounds(int drop);
void FreeMusic(int drop);
void FreeXmModule(XmModule* module);

}  // namespace tolv
