// RIFF WAV reader: the "fmt " and "data" chunks, other chunks skipped.
#include <cstdlib>
#include <cstring>
#include <new>

#include "audio/le_fields.h"
#include "audio/sound_sample.h"

namespace tolv {

constexpr uint32_t kMaxRate = 384000;

struct WavFormat {
  uint16_t tag = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
};

static bool IsTag(ByteReader& r, const char* tag) {
  char t[4];
  return r.Bytes(t, 4) && std::memcmp(t, tag, 4) == 0;
}

static const char* CheckFormat(const WavFormat& f) {
  if (f.tag != 1) return "not PCM";
  if (f.channels != 1 && f.channels != 2) return "not mono or stereo";
  if (f.bits != 8 && f.bits != 16) return "not 8 or 16 bits";
  if (f.rate == 0 || f.rate > kMaxRate) return "bad sample rate";
  return nullptr;
}

static const char* DecodeData(ByteReader& d, const WavFormat& f, SoundSample& out) {
  uint32_t frame_bytes = f.channels * f.bits / 8u;
  uint32_t frames = uint32_t(d.Left() / frame_bytes), values = frames * f.channels;
  auto* p = static_cast<int16_t*>(std::malloc((values + f.channels) * sizeof(int16_t)));
  if (!p) throw std::bad_alloc();
  for (uint32_t i = 0; i < values; i++)
    p[i] = f.bits == 8 ? int16_t((d.U8() - 128) << 8) : int16_t(U16Le(d));
  for (uint32_t i = 0; i < f.channels; i++) p[values + i] = 0;
  out.data = p;
  out.frame_count = frames;
  out.rate = f.rate;
  out.channels = uint8_t(f.channels);
  return nullptr;
}

const char* DecodeWav(const uint8_t* bytes, size_t size, SoundSample& out) {
  ByteReader r(bytes, size);
  if (!IsTag(r, "RIFF")) return "not a RIFF file";
  r.Skip(4);
  if (!IsTag(r, "WAVE")) return "not a WAVE file";
  WavFormat f;
  bool have_format = false;
  while (r.Left() >= 8) {
    bool fmt = IsTag(r, "fmt "), data = !fmt && std::memcmp(r.data + r.pos - 4, "data", 4) == 0;
    uint32_t n = U32Le(r);
    if (n > r.Left()) return "truncated chunk";
    ByteReader c(r.data + r.pos, n);
    r.Skip(n);
    if (n & 1) r.Skip(1);
    if (fmt) {
      f.tag = U16Le(c), f.channels = U16Le(c), f.rate = U32Le(c);
      c.Skip(6);
      f.bits = U16Le(c);
      if (c.failed) return "truncated format";
      if (const char* why = CheckFormat(f)) return why;
      have_format = true;
    } else if (data) {
      return have_format ? DecodeData(c, f, out) : "data before format";
    }
  }
  return "no data";
}

void FreeSample(SoundSample& s) {
  std::free(s.data);
  s = SoundSample{};
}

}  // namespace tolv
