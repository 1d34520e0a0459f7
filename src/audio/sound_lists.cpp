// Sound and music list files. A sound list is a count and that many sample
// paths; a music list a count and per record its kind and path (kinds 2
// and 6 two paths). Paths are relative to the list's folder.
#include "audio/sound_lists.h"

#include <cstdlib>
#include <new>

#include "audio/audio_lock.h"
#include "audio/mixer.h"
#include "audio/ogg_source.h"
#include "audio/saved_blocks.h"
#include "files/def_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"

namespace tolv {

SoundSample* sounds = nullptr;
ScopeCounts sound_counts;
MusicRecord* music = nullptr;
ScopeCounts music_counts;
uint16_t xm_effect_function = 65535;

template <typename T>
static void ResizeRecords(T*& records, uint32_t old, uint32_t total) {
  AudioLock lock;
  T* p = static_cast<T*>(std::realloc(static_cast<void*>(records), (total ? total : 1) * sizeof(T)));
  if (!p) throw std::bad_alloc();
  records = p;
  for (uint32_t i = old; i < total; i++) new (&records[i]) T{};
}

static void FreeMusicRecord(MusicRecord& m) {
  FreeSample(m.first);
  FreeSample(m.second);
  FreeXmModule(m.xm);
  delete m.xm;
  for (FileStream* s : m.ogg) delete s;  // closes the stream
  m = MusicRecord{};
}

void FreeSounds(int drop) {
  AudioLock lock;
  uint32_t old = sound_counts.total, keep = DropScopes(sound_counts, drop);
  StopSoundsFrom(keep);
  for (uint32_t i = keep; i < old; i++) FreeSample(sounds[i]);
}

void FreeMusic(int drop) {
  AudioLock lock;
  uint32_t old = music_counts.total, keep = DropScopes(music_counts, drop);
  StopMusicFrom(keep);
  DropPendingMusicFrom(keep);
  for (uint32_t i = keep; i < old; i++) FreeMusicRecord(music[i]);
}

static void Refuse(const char* path, const char* why) { ScriptErrorFormat("File \"%s\": %s", path, why); }

static void OpenWhole(const char* path, FileStream& s) {
  if (!OpenBufferedStream(path, s)) ScriptErrorFormat("File \"%s\" not found", path);
}

static void LoadSample(const char* path, SoundSample& out) {
  ScopedStream s;
  OpenWhole(path, s);
  if (const char* why = DecodeWav(s.buffer.data(), s.size, out)) Refuse(path, why);
}

static void LoadXm(const char* path, MusicRecord& m) {
  ScopedStream s;
  OpenWhole(path, s);
  m.xm = new XmModule;
  if (const char* why = ParseXmModule(s.buffer.data(), s.size, *m.xm)) Refuse(path, why);
}

static void LoadOgg(const char* path, FileStream*& out) {
  out = new FileStream;
  OpenWhole(path, *out);
  if (const char* why = CheckOggStream(*out)) Refuse(path, why);
}

// A record is read whole before the mixer can see it.
static void ReadMusicRecord(FileStream& list, MusicRecord& m) {
  int32_t kind = ReadNumberToken(list);
  if (kind < 0 || kind > 6) ScriptErrorFormat("Unknown music kind %d", kind);
  m.kind = uint8_t(kind);
  char path[kTokenSize];
  ReadPathToken(list, path);
  if (kind <= kMusicIntroLoop) {
    LoadSample(path, m.first);
    if (kind == kMusicIntroLoop) ReadPathToken(list, path), LoadSample(path, m.second);
  } else if (kind == kMusicXm) {
    LoadXm(path, m);
  } else {
    LoadOgg(path, m.ogg[0]);
    if (kind == kMusicOggIntroLoop) ReadPathToken(list, path), LoadOgg(path, m.ogg[1]);
  }
}

static void LoadMusicRecord(FileStream& list, MusicRecord& out) {
  MusicRecord m;
  try {
    ReadMusicRecord(list, m);
  } catch (...) {  // a script error hook that throws
    FreeMusicRecord(m);
    throw;
  }
  AudioLock lock;
  out = m;
}

// Opens the list, sets the scope's count and grows the records.
template <typename T>
static uint32_t OpenList(const char* name, int scope, FileStream& list, T*& records, ScopeCounts& counts,
                         const char* what) {
  if (!OpenStream(name, list)) ScriptErrorFormat("File \"%s\" not found", name);
  uint32_t old = counts.total;
  ScopeCounts next = counts;
  uint32_t first = SetScopeCount(next, scope, ReadNumberToken(list), what);
  ResizeRecords(records, old, next.total);
  AudioLock lock;
  counts = next;
  return first;
}

void LoadSoundList(const char* name, int scope) {
  ScopedStream list;
  uint32_t first = OpenList(name, scope, list, sounds, sound_counts, "sound");
  char path[kTokenSize];
  for (uint32_t i = first; i < sound_counts.total; i++) {
    ReadPathToken(list, path);
    SoundSample sample;
    LoadSample(path, sample);
    AudioLock lock;
    sounds[i] = sample;
  }
}

void LoadMusicList(const char* name, int scope) {
  ScopedStream list;
  uint32_t first = OpenList(name, scope, list, music, music_counts, "music");
  for (uint32_t i = first; i < music_counts.total; i++) LoadMusicRecord(list, music[i]);
}

}  // namespace tolv
