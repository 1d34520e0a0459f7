// Each buffer: saved-state blocks waiting to be applied, then the music
// and sound requests, then music and sound channels mixed in chunks into
// a 32-bit accumulator that saturates into the 16-bit output.
#include "audio/mixer.h"

#include <cstring>

#include "audio/saved_blocks.h"
#include "audio/music_player.h"
#include "audio/sound_lists.h"
#include "audio/xm_player.h"

namespace tolv {

SoundChannel sound_channels[kSoundChannels];
uint8_t next_channel = 1;
RequestRing<SoundRequest, 16> sound_requests;
RequestRing<MusicRequest, 8> music_requests;
RequestRing<uint8_t, 64> xm_effect_posts;
std::atomic<bool> xm_playing{false};

static void PostToGame(uint8_t param) { xm_effect_posts.Push(param); }
void (*post_xm_effect)(uint8_t param) = PostToGame;

constexpr uint32_t kChunk = 512;

static void StartSound(uint16_t id, bool loop) {
  const SoundSample& s = sounds[id];
  int pick = next_channel;
  for (int i = 0; i < kSoundChannels - 1; i++) {
    int c = 1 + (next_channel - 1 + i) % (kSoundChannels - 1);
    if (sound_channels[c].sound == kNoSound) {
      pick = c;
      break;
    }
  }
  next_channel = uint8_t(pick % (kSoundChannels - 1) + 1);
  SoundChannel& c = sound_channels[pick];
  c = SoundChannel{};
  if (!s.frame_count) return;
  c.sound = id;
  c.loop = loop;
  c.source_rate = s.rate;
  c.mix = MixRunFor(s.channels);
}

static void TakeSoundRequest(const SoundRequest& r) {
  if (r.sound >= sound_counts.total) return;
  if (r.type != kPlayStop && r.type != kPlayPause && r.type != kPlayResume)
    return StartSound(r.sound, r.type == kPlayLoop);
  for (int i = 1; i < kSoundChannels; i++) {
    SoundChannel& c = sound_channels[i];
    if (c.sound != r.sound) continue;
    if (r.type == kPlayStop) c = SoundChannel{};
    else c.paused = r.type == kPlayPause;
  }
}

static void TakeRequests() {
  MusicRequest m;
  while (music_requests.Pop(m)) StartMusic(m.id, m.jingle);
  SoundRequest s;
  while (sound_requests.Pop(s)) TakeSoundRequest(s);
}

static void MixSound(SoundChannel& c, int32_t* acc, uint32_t n) {
  const SoundSample& s = sounds[c.sound];
  SourceSpan span{s.data, s.frame_count, 0, c.loop ? s.frame_count : 0};
  if (MixSpan(c.mix, span, c.pos, StepForRate(c.source_rate), acc, n, 256, 256) < n) {
    c = SoundChannel{};
    return;
  }
  c.current_sample = uint16_t(s.data[(c.pos >> 16) * s.channels]);
}

static void Saturate(const int32_t* acc, int16_t* out, uint32_t values) {
  for (uint32_t i = 0; i < values; i++) {
    int32_t v = acc[i] >> 8;
    out[i] = int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
  }
}

void MixAudio(int16_t* out, uint32_t frames) {
  ApplyPendingAudioState();
  TakeRequests();
  int32_t acc[2 * kChunk];
  for (uint32_t done = 0; done < frames;) {
    uint32_t n = frames - done < kChunk ? frames - done : kChunk;
    std::memset(acc, 0, sizeof(int32_t) * 2 * n);
    RenderMusic(acc, n);
    for (int i = 1; i < kSoundChannels; i++) {
      SoundChannel& c = sound_channels[i];
      if (c.sound != kNoSound && !c.paused) MixSound(c, acc, n);
    }
    Saturate(acc, out + 2 * done, 2 * n);
    done += n;
  }
}

void StopSoundsFrom(uint32_t first) {
  for (SoundChannel& c : sound_channels)
    if (c.sound != kNoSound && c.sound >= first) c = SoundChannel{};
}

void StopMusicFrom(uint32_t first) {
  if (saved_music.id != kNoMusic && saved_music.id >= first) StopMusic(saved_music);
  if (music_voice.id == kNoMusic || music_voice.id < first) return;
  StopMusic(music_voice);
  std::swap(music_voice, saved_music);
  xm_playing.store(music_voice.id != kNoMusic && music_voice.kind == kMusicXm);
}

}  // namespace tolv
