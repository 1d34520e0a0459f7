// Music records playing on the music channel, by kind: samples (kinds 0-2)
// and Ogg streams (4-6) through the resampler, XM modules (3) through the
// XM player. A record whose source ends goes on to its second part or
// back to its loop, or falls silent.
#include "audio/music_player.h"

#include <utility>

#include "audio/mixer.h"
#include "audio/sound_lists.h"
#include "audio/voice.h"

namespace tolv {

MusicVoice music_voice, saved_music;

static const MusicRecord* Record(const MusicVoice& v) {
  return v.id < music_counts.total ? &music[v.id] : nullptr;
}

static bool IsOgg(uint8_t kind) { return kind >= kMusicOgg; }

// The current part from its start.
static bool RestartPart(MusicVoice& v, const MusicRecord& r) {
  v.pos = 0;
  if (v.kind == kMusicXm) return r.xm && (StartXm(v.xm, r.xm, v.once), true);
  if (!IsOgg(v.kind)) return (v.part ? r.second : r.first).frame_count > 0;
  const FileStream* s = r.ogg[v.part];
  return s && OpenOggSource(v.ogg, *s);
}

// The source ran out: on to the second part, or round the loop.
static bool NextPart(MusicVoice& v, const MusicRecord& r) {
  if ((v.kind == kMusicIntroLoop || v.kind == kMusicOggIntroLoop) && v.part == 0) {
    v.part = 1;
    return RestartPart(v, r);
  }
  if (v.once || v.kind == kMusicSample || v.kind == kMusicOgg) return false;
  if (IsOgg(v.kind)) {
    SeekOggSource(v.ogg, 0);
    v.pos = 0;
    return true;
  }
  uint64_t end = uint64_t((v.part ? r.second : r.first).frame_count) << 16;
  v.pos -= v.pos < end ? v.pos : end;
  return true;
}

static uint32_t RenderSample(MusicVoice& v, const MusicRecord& r, int32_t* acc, uint32_t n) {
  uint32_t done = 0;
  while (done < n) {
    const SoundSample& s = v.part ? r.second : r.first;
    if (!s.frame_count) return done;
    SourceSpan span{s.data, s.frame_count, 0, 0};
    done += MixSpan(MixRunFor(s.channels), span, v.pos, StepForRate(s.rate), acc + 2 * done, n - done, 256, 256);
    if (done < n && !NextPart(v, r)) return done;
  }
  return done;
}

// The window keeps one decoded frame after the play position for the
// interpolation, except at the stream's end.
static uint32_t RenderOgg(MusicVoice& v, const MusicRecord& r, int32_t* acc, uint32_t n) {
  uint32_t done = 0, restarts = 0;
  while (done < n) {
    OggSource& o = v.ogg;
    uint32_t at = uint32_t(v.pos >> 16);
    if (at + 1 >= o.frames && !o.at_end) {
      RefillOggSource(o, at);
      v.pos -= uint64_t(at) << 16;
      continue;
    }
    uint32_t end = o.at_end ? o.frames : o.frames - 1;
    if (at >= end) {
      if (++restarts > 1 || !NextPart(v, r)) return done;  // a stream with no frames ends
      continue;
    }
    restarts = 0;
    uint32_t step = StepForRate(o.rate);
    uint32_t k = FramesBefore(v.pos, end, step, n - done);
    MixRunFor(o.channels)(o.window.data(), v.pos, step, acc + 2 * done, k, 256, 256);
    done += k;
  }
  return done;
}

static uint32_t RenderVoice(MusicVoice& v, int32_t* acc, uint32_t n) {
  const MusicRecord* r = Record(v);
  if (!r) return 0;
  if (v.kind == kMusicXm) return RenderXm(v.xm, acc, n);
  return IsOgg(v.kind) ? RenderOgg(v, *r, acc, n) : RenderSample(v, *r, acc, n);
}

void StopMusic(MusicVoice& v) {
  CloseOggSource(v.ogg);
  v.id = kNoMusic;
  v.part = v.once = 0;
}

static void PublishKind() { xm_playing.store(music_voice.id != kNoMusic && music_voice.kind == kMusicXm); }

void StartMusic(uint16_t id, bool jingle) {
  if (id >= music_counts.total) return;
  if (jingle && saved_music.id == kNoMusic) std::swap(saved_music, music_voice);
  if (!jingle) StopMusic(saved_music);
  StopMusic(music_voice);
  MusicVoice& v = music_voice;
  v.id = id;
  v.kind = music[id].kind;
  v.once = jingle;
  if (!RestartPart(v, music[id])) StopMusic(v);
  PublishKind();
}

// A jingle that ended hands the channel back to the saved music.
static void EndVoice() {
  StopMusic(music_voice);
  std::swap(music_voice, saved_music);
  PublishKind();
}

void RenderMusic(int32_t* acc, uint32_t n) {
  uint32_t done = 0;
  while (done < n && music_voice.id != kNoMusic) {
    done += RenderVoice(music_voice, acc + 2 * done, n - done);
    if (done < n) EndVoice();
  }
}

uint32_t MusicPosition(const MusicVoice& v) {
  if (v.kind == kMusicXm) return uint32_t(v.xm.order) << 16 | v.xm.row;
  return uint32_t(v.pos >> 16) + (IsOgg(v.kind) ? v.ogg.base : 0);
}

void SeekMusic(MusicVoice& v, uint32_t frame) {
  const MusicRecord* r = Record(v);
  if (!r) return;
  if (!RestartPart(v, *r)) return StopMusic(v);
  if (v.kind == kMusicXm) SeekXm(v.xm, uint16_t(frame >> 16), uint16_t(frame));
  else if (IsOgg(v.kind)) SeekOggSource(v.ogg, frame);
  else v.pos = uint64_t(frame) << 16;
}

}  // namespace tolv
