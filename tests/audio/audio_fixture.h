// Audio test helpers: little-endian byte building for the foreign formats
// (RIFF WAV, XM laid out as their files are), lists filled in place, and
// the mixer driven directly.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "audio/audio_state.h"
#include "audio/mixer.h"
#include "audio/music_player.h"
#include "audio/sound_lists.h"
#include "audio/xm_module.h"

namespace tolv::test {

struct LeBytes {
  std::vector<uint8_t> b;
  LeBytes& U8(uint32_t v) { return b.push_back(uint8_t(v)), *this; }
  LeBytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  LeBytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  LeBytes& Text(const char* s, size_t n) {
    for (size_t i = 0; i < n; i++) U8(i < std::strlen(s) ? uint8_t(s[i]) : 0);
    return *this;
  }
  LeBytes& Add(const std::vector<uint8_t>& v) { return b.insert(b.end(), v.begin(), v.end()), *this; }
};

inline std::vector<uint8_t> WavBytes(const std::vector<int16_t>& values, uint32_t rate, int channels, int bits) {
  LeBytes data;
  for (int16_t v : values) bits == 8 ? data.U8(uint8_t((v >> 8) + 128)) : data.U16(uint16_t(v));
  LeBytes w;
  w.Text("RIFF", 4).U32(36 + uint32_t(data.b.size())).Text("WAVE", 4);
  w.Text("fmt ", 4).U32(16).U16(1).U16(channels).U32(rate).U32(rate * channels * bits / 8);
  w.U16(channels * bits / 8).U16(bits);
  return w.Text("data", 4).U32(uint32_t(data.b.size())).Add(data.b).b;
}

struct XmInstrumentSpec {
  std::vector<int16_t> data;  // written 16-bit, delta-coded
  uint32_t loop_start = 0, loop_length = 0;
  uint8_t loop_type = 0, volume = 64;
  int8_t relative_note = 0;
  std::vector<std::pair<uint16_t, uint16_t>> envelope;  // volume envelope, on when not empty
  int sustain = -1;
  uint16_t fadeout = 0;
};

struct XmSpec {
  uint16_t channels = 1, speed = 6, bpm = 125, restart = 0, flags = 1;
  std::vector<uint8_t> orders{0};
  std::vector<std::vector<XmCell>> patterns;  // rows x channels cells each
  std::vector<XmInstrumentSpec> instruments;
};

inline std::vector<uint8_t> XmBytes(const XmSpec& s) {
  LeBytes x;
  x.Text("Extended Module: ", 17).Text("test", 20).U8(0x1A).Text("test", 20).U16(0x0104).U32(276);
  x.U16(uint16_t(s.orders.size())).U16(s.restart).U16(s.channels).U16(uint16_t(s.patterns.size()));
  x.U16(uint16_t(s.instruments.size())).U16(s.flags).U16(s.speed).U16(s.bpm);
  for (int i = 0; i < 256; i++) x.U8(i < int(s.orders.size()) ? s.orders[i] : 0);
  for (const auto& p : s.patterns) {
    LeBytes d;
    for (const XmCell& c : p) d.U8(0x9F).U8(c.note).U8(c.instrument).U8(c.volume).U8(c.effect).U8(c.param);
    x.U32(9).U8(0).U16(uint16_t(p.size() / s.channels)).U16(uint16_t(d.b.size())).Add(d.b);
  }
  for (const XmInstrumentSpec& in : s.instruments) {
    x.U32(263).Text("ins", 22).U8(0).U16(1).U32(40);
    for (int i = 0; i < 96; i++) x.U8(0);
    for (size_t i = 0; i < 12; i++)
      x.U16(i < in.envelope.size() ? in.envelope[i].first : 0).U16(i < in.envelope.size() ? in.envelope[i].second : 0);
    for (int i = 0; i < 48; i++) x.U8(0);
    x.U8(uint8_t(in.envelope.size())).U8(0).U8(in.sustain < 0 ? 0 : in.sustain).U8(0).U8(0).U8(0).U8(0).U8(0);
    x.U8(in.envelope.empty() ? 0 : 1 | (in.sustain >= 0 ? 2 : 0)).U8(0).U8(0).U8(0).U8(0).U8(0).U16(in.fadeout);
    for (int i = 0; i < 22; i++) x.U8(0);
    uint32_t bytes = uint32_t(in.data.size() * 2);
    x.U32(bytes).U32(in.loop_start * 2).U32(in.loop_length * 2).U8(in.volume).U8(0).U8(0x10 | in.loop_type);
    x.U8(128).U8(uint8_t(in.relative_note)).U8(0).Text("", 22);
    int16_t old = 0;
    for (int16_t v : in.data) x.U16(uint16_t(int16_t(v - old))), old = v;
  }
  return x.b;
}

// Lists set in place, as the loaders would leave them.
template <class T>
void SetList(T*& list, ScopeCounts& counts, std::vector<T> items) {
  list = static_cast<T*>(std::realloc(static_cast<void*>(list), (items.size() + 1) * sizeof(T)));
  for (size_t i = 0; i < items.size(); i++) new (&list[i]) T(items[i]);
  counts = ScopeCounts{};
  counts.total = counts.game = uint16_t(items.size());
}

// A 16-bit sample owning malloc'd frames (and the guard frame).
inline SoundSample Sample(const std::vector<int16_t>& values, uint32_t rate, uint8_t channels = 1) {
  SoundSample s;
  s.data = static_cast<int16_t*>(std::calloc(values.size() + channels, sizeof(int16_t)));
  std::memcpy(s.data, values.data(), values.size() * sizeof(int16_t));
  s.frame_count = uint32_t(values.size() / channels);
  s.rate = rate;
  s.channels = channels;
  return s;
}

inline std::vector<int16_t> Ramp(int n, int from = 0, int by = 1) {
  std::vector<int16_t> v(n);
  for (int i = 0; i < n; i++) v[i] = int16_t(from + i * by);
  return v;
}

class AudioTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetAudio(); }
  void TearDown() override {
    FreeMusic(0);
    FreeSounds(0);
    ResetAudio();
  }
  // n stereo frames from the mixer.
  static std::vector<int16_t> Mix(uint32_t n) {
    std::vector<int16_t> out(2 * n);
    MixAudio(out.data(), n);
    return out;
  }
  static std::vector<int16_t> Left(const std::vector<int16_t>& s) {
    std::vector<int16_t> l;
    for (size_t i = 0; i < s.size(); i += 2) l.push_back(s[i]);
    return l;
  }
};

}  // namespace tolv::test
