#include "audio/ogg_source.h"

#include <cstring>

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace tolv {

constexpr uint32_t kWindowFrames = 4096;

static stb_vorbis* OpenVorbis(const FileStream& s) {
  if (s.size == 0 || s.buffer.size() < s.size || s.size > 0x7FFFFFFF) return nullptr;
  int error = 0;
  return stb_vorbis_open_memory(s.buffer.data(), int(s.size), &error, nullptr);
}

const char* CheckOggStream(const FileStream& s) {
  stb_vorbis* v = OpenVorbis(s);
  if (!v) return "not an Ogg Vorbis stream";
  stb_vorbis_info info = stb_vorbis_get_info(v);
  stb_vorbis_close(v);
  if (info.channels < 1 || info.channels > 2) return "not mono or stereo";
  if (info.sample_rate < 1 || info.sample_rate > 384000) return "bad sample rate";
  return nullptr;
}

bool OpenOggSource(OggSource& o, const FileStream& s) {
  CloseOggSource(o);
  o.vorbis = OpenVorbis(s);
  if (!o.vorbis) return false;
  stb_vorbis_info info = stb_vorbis_get_info(o.vorbis);
  o.channels = uint8_t(info.channels == 2 ? 2 : 1);
  o.rate = info.sample_rate;
  o.window.assign((kWindowFrames + 1) * o.channels, 0);
  o.frames = o.base = 0;
  o.at_end = 0;
  return true;
}

void CloseOggSource(OggSource& o) {
  if (o.vorbis) stb_vorbis_close(o.vorbis);
  o = OggSource{};
}

uint32_t RefillOggSource(OggSource& o, uint32_t keep) {
  if (keep > o.frames) keep = o.frames;
  uint32_t left = o.frames - keep, c = o.channels;
  std::memmove(o.window.data(), o.window.data() + size_t(keep) * c, size_t(left) * c * sizeof(int16_t));
  o.base += keep;
  o.frames = left;
  if (!o.vorbis || o.at_end) return 0;
  int room = int((kWindowFrames - left) * c);
  int got = stb_vorbis_get_samples_short_interleaved(o.vorbis, c, o.window.data() + size_t(left) * c, room);
  if (got <= 0) o.at_end = 1;
  o.frames += uint32_t(got > 0 ? got : 0);
  // The guard frame repeats the last one until more is decoded.
  for (uint32_t i = 0; i < c; i++) o.window[size_t(o.frames) * c + i] = o.frames ? o.window[size_t(o.frames - 1) * c + i] : 0;
  return uint32_t(got > 0 ? got : 0);
}

void SeekOggSource(OggSource& o, uint32_t frame) {
  if (!o.vorbis) return;
  if (!stb_vorbis_seek(o.vorbis, frame)) stb_vorbis_seek_start(o.vorbis), frame = 0;
  o.base = frame;
  o.frames = 0;
  o.at_end = 0;
}

}  // namespace tolv
