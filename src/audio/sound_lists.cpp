// Sound and music list files. A sound list is a count and that many sample
// paths; a music list a count and per record its kind and path (kinds 2
// and 6 two paths). Paths are relative to the list's folder.
#include "audio/sound_lists.h"

#include <cstdlib>
#include <cstring>
#include <new>

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
  T* p = static_cast<T*>(std::realloc(static_cast<void*>(records), (total ? total : 1) * sizeof(T)));
  if (!p) throw std::bad_alloc();
  records = p;
  for (uint32_t i = old; i < total; i++) new (&records[i]) T{};
}

static void FreeSample(SoundSample& s) {
  std::free(s.data);
  s = SoundSample{};
}

void FreeXmModule(XmModule* module) {
  if (!module) return;
  std::free(module->data);
  module->data = nullptr;
}

static void FreeMusicRecord(MusicRecord& m) {
  if (m.kind <= 2) {
    FreeSample(m.first);
    if (m.kind == 2) FreeSample(m.second);
  } else if (m.kind == 3) {
    FreeXmModule(m.xm);
    delete m.xm;
  } else if (m.kind <= 6) {
    for (int i = 0; i < (m.kind == 6 ? 2 : 1); i++) delete m.ogg[i];  // closes the stream
  }
  m = MusicRecord{};
}

void FreeSounds(int drop) {
  uint32_t old = sound_counts.total, keep = DropScopes(sound_counts, drop);
  for (uint32_t i = keep; i < old; i++) FreeSample(sounds[i]);
}

void FreeMusic(int drop) {
  uint32_t old = music_counts.total, keep = DropScopes(music_counts, drop);
  for (uint32_t i = keep; i < old; i++) FreeMusicRecord(music[i]);
}

static void LoadSample(const char* path, SoundSample& out) {
  ScopedStream s;
  if (!OpenBufferedStream(path, s)) ScriptErrorFormat("File \"%s\" not found", path);
  out.data = static_cast<uint8_t*>(std::malloc(s.size ? s.size : 1));
  if (!out.data) throw std::bad_alloc();
  if (s.size) std::memcpy(out.data, s.buffer.data(), s.size);
  out.size = s.size;
}

static void LoadOgg(const char* path, FileStream*& out) {
  out = new FileStream;
  if (!OpenBufferedStream(path, *out)) ScriptErrorFormat("File \"%s\" not found", path);
}

static void LoadMusicRecord(FileStream& list, MusicRecord& m) {
  int32_t kind = ReadNumberToken(list);
  if (kind < 0 || kind > 6) ScriptErrorFormat("Unknown music kind %d", kind);
  m.kind = uint8_t(kind);
  char path[kTokenSize];
  ReadPathToken(list, path);
  if (kind <= 2) {
    LoadSample(path, m.first);
    if (kind == 2) ReadPathToken(list, path), LoadSample(path, m.second);
  } else if (kind == 3) {
    m.xm = new XmModule;
    SoundSample raw;
    LoadSample(path, raw);
    m.xm->data = raw.data;
    m.xm->size = raw.size;
  } else {
    LoadOgg(path, m.ogg[0]);
    if (kind == 6) ReadPathToken(list, path), LoadOgg(path, m.ogg[1]);
  }
}

// Opens the list, sets the scope's count and grows the records.
template <typename T>
static uint32_t OpenList(const char* name, int scope, FileStream& list, T*& records, ScopeCounts& counts,
                         const char* what) {
  if (!OpenStream(name, list)) ScriptErrorFormat("File \"%s\" not found", name);
  uint32_t old = counts.total;
  uint32_t first = SetScopeCount(counts, scope, ReadNumberToken(list), what);
  ResizeRecords(records, old, counts.total);
  return first;
}

void LoadSoundList(const char* name, int scope) {
  ScopedStream list;
  uint32_t first = OpenList(name, scope, list, sounds, sound_counts, "sound");
  char path[kTokenSize];
  for (uint32_t i = first; i < sound_counts.total; i++) {
    ReadPathToken(list, path);
    LoadSample(path, sounds[i]);
  }
}

void LoadMusicList(const char* name, int scope) {
  ScopedStream list;
  uint32_t first = OpenList(name, scope, list, music, music_counts, "music");
  for (uint32_t i = first; i < music_counts.total; i++) LoadMusicRecord(list, music[i]);
}

}  // namespace tolv
