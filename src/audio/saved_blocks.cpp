#include "audio/saved_blocks.h"

#include <utility>
#include <vector>

#include "audio/audio_lock.h"
#include "audio/mixer.h"
#include "audio/music_player.h"
#include "audio/sound_lists.h"

namespace tolv {

// What a load left for the mixer: the sound block, and the music as
// voices already started and at their place.
static std::vector<uint8_t> pending_sound;
static MusicVoice pending_music, pending_saved;
static uint8_t pending = 0;

static uint8_t MusicStateByte() {
  return uint8_t((music_voice.id != kNoMusic) | (saved_music.id != kNoMusic) << 1);
}

static void WriteSoundBlock(ByteWriter& w) {
  for (int i = 1; i < kSoundChannels; i++) {
    const SoundChannel& c = sound_channels[i];
    w.U32(c.sound);
    w.U32(uint32_t(c.pos >> 16));
    w.U8(c.loop);
    w.U8(c.paused);
    w.U32(c.source_rate);
    w.U32(uint32_t(c.pos & 0xFFFF));
    w.U16(c.current_sample);
  }
  w.U16(next_channel);
}

static void WriteMusicBlock(ByteWriter& w) {
  size_t at = w.Size();
  w.U16(0);  // size, filled in below
  w.U16(music_voice.id);
  w.U16(saved_music.id);
  w.U32(MusicPosition(music_voice));
  w.U8(music_voice.part);
  w.U8(music_voice.once);
  size_t n = w.Size() - at - 2;
  w.bytes[at] = uint8_t(n >> 8);
  w.bytes[at + 1] = uint8_t(n);
}

void WriteAudioState(ByteWriter& w) {
  AudioLock lock;
  w.U8(0);
  w.U8(MusicStateByte());
  WriteSoundBlock(w);
  w.U8(1);
  WriteMusicBlock(w);
}

static bool ReadBlock(ByteReader& r, uint8_t tag, std::vector<uint8_t>& sound, std::vector<uint8_t>& music) {
  uint32_t n = tag == 0 ? kSoundBlockSize : r.U16();
  if (tag > 1 || !r.Need(n)) return false;
  std::vector<uint8_t>& out = tag == 0 ? sound : music;
  out.assign(r.data + r.pos, r.data + r.pos + n);
  r.Skip(n);
  return true;
}

// A voice of record `id` at `position` of its part, set up here on the game
// thread: opening and seeking a stream, or playing a module through to its
// row, would hold up the mixer's buffer.
static void StageVoice(MusicVoice& v, uint16_t id, uint32_t position, uint8_t part, uint8_t once) {
  if (id == kNoMusic || id >= music_counts.total) return;
  v.id = id;
  v.kind = music[id].kind;
  v.once = once;
  v.part = uint8_t(part && (v.kind == kMusicIntroLoop || v.kind == kMusicOggIntroLoop));
  SeekMusic(v, position);
}

// The saved music starts from its beginning; the current one at its place.
static void StageMusicBlock(ByteReader& r, MusicVoice& current, MusicVoice& saved) {
  uint16_t current_id = r.U16(), saved_id = r.U16();
  uint32_t position = r.U32();
  uint8_t part = r.U8(), once = r.U8();
  StageVoice(saved, saved_id, 0, 0, 0);
  StageVoice(current, current_id, position, part, once);
}

bool ReadAudioState(ByteReader& r) {
  std::vector<uint8_t> sound, music_block;
  uint8_t tag = r.U8();
  r.U8();  // music state: the blocks say it all
  if (!ReadBlock(r, tag, sound, music_block) || !ReadBlock(r, uint8_t(r.U8()), sound, music_block) ||
      sound.empty() || music_block.empty())
    return false;
  MusicVoice current, saved;
  ByteReader m(music_block.data(), music_block.size());
  StageMusicBlock(m, current, saved);
  {
    AudioLock lock;
    pending_sound.swap(sound);
    std::swap(pending_music, current);
    std::swap(pending_saved, saved);
    pending = 1;
  }
  StopMusic(current);  // what an earlier load left unplayed
  StopMusic(saved);
  return true;
}

static void ApplySoundBlock(ByteReader& r) {
  for (int i = 1; i < kSoundChannels; i++) {
    SoundChannel& c = sound_channels[i];
    c = SoundChannel{};
    uint32_t id = r.U32(), played = r.U32();
    c.loop = r.U8();
    c.paused = r.U8();
    c.source_rate = r.U32();
    uint32_t fraction = r.U32();
    c.current_sample = r.U16();
    if (id >= sound_counts.total || played >= sounds[id].frame_count || !c.source_rate) {
      c = SoundChannel{};
      continue;
    }
    c.sound = uint16_t(id);
    c.pos = uint64_t(played) << 16 | (fraction & 0xFFFF);
    c.mix = MixRunFor(sounds[id].channels);
  }
  uint16_t cursor = r.U16();
  next_channel = uint8_t(cursor >= 1 && cursor < kSoundChannels ? cursor : 1);
}

void ApplyPendingAudioState() {
  if (!pending) return;
  ByteReader s(pending_sound.data(), pending_sound.size());
  ApplySoundBlock(s);
  StopMusic(music_voice);
  StopMusic(saved_music);
  std::swap(music_voice, pending_music);
  std::swap(saved_music, pending_saved);
  xm_playing.store(music_voice.id != kNoMusic && music_voice.kind == kMusicXm);
  pending = 0;
  pending_sound.clear();
}

void DropPendingAudioState() {
  pending = 0;
  pending_sound.clear();
  StopMusic(pending_music);
  StopMusic(pending_saved);
}

void DropPendingMusicFrom(uint32_t first) {
  for (MusicVoice* v : {&pending_music, &pending_saved})
    if (v->id != kNoMusic && v->id >= first) StopMusic(*v);
}

}  // namespace tolv
