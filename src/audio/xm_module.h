// XM modules as the player reads them: the order list, unpacked pattern
// cells and instruments with their envelopes and samples. Samples are
// 16-bit mono frames; a ping-pong loop is stored unrolled (forward, then
// backward), so the mixer only ever loops forward. The loop is stored at
// least twice and its repeats after the first cover 2048 frames or more:
// a voice enters through the first copy and loops over the others, so the
// frame before the loop start is the one heard before it, and short loops
// seldom wrap. For interpolation a guard frame (0) stands before every
// sample and two after it (the loop's first two, or 0).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tolv {

constexpr uint32_t kXmMaxChannels = 32;

struct XmCell {
  uint8_t note = 0;        // 1-96, 97 key off, 0 none
  uint8_t instrument = 0;  // 1-128, 0 none
  uint8_t volume = 0;      // volume column
  uint8_t effect = 0;
  uint8_t param = 0;
};

struct XmPattern {
  uint16_t rows = 64;
  std::vector<XmCell> cells;  // rows x channels; empty: every cell empty
};

struct XmSample {
  std::vector<int16_t> frames;  // the guard, length frames, two guards
  uint32_t length = 0;          // frames stored (played before wrapping or ending)
  uint32_t loop_start = 0, loop_length = 0;  // the stored loop; loop_length 0: no loop
  uint32_t file_length = 0;     // frames in the file (sample offsets past it cut the note)
  uint8_t volume = 0;           // 0-64
  int8_t finetune = 0;
  uint8_t panning = 128;
  int8_t relative_note = 0;
};

struct XmEnvelope {
  uint16_t x[12] = {}, y[12] = {};
  uint8_t points = 0, sustain = 0, loop_start = 0, loop_end = 0;
  uint8_t flags = 0;  // bit 0 on, bit 1 sustain, bit 2 loop
};

struct XmInstrument {
  uint8_t keymap[96] = {};  // sample per note
  XmEnvelope volume_envelope, panning_envelope;
  uint8_t vibrato_type = 0, vibrato_sweep = 0, vibrato_depth = 0, vibrato_rate = 0;
  uint16_t fadeout = 0;
  std::vector<XmSample> samples;
};

struct XmModule {
  uint16_t song_length = 1, restart = 0, channels = 0;
  uint16_t flags = 0;  // bit 0: linear frequency table
  uint16_t speed = 6, bpm = 125;
  uint8_t orders[256] = {};
  std::vector<XmPattern> patterns;
  std::vector<XmInstrument> instruments;
};

// Frame 0 of a sample (its guard frame stands before it).
inline const int16_t* XmFrames(const XmSample& s) { return s.frames.data() + 1; }

// Parses a whole XM file into `m`. Returns null, or what is wrong with it.
const char* ParseXmModule(const uint8_t* bytes, size_t size, XmModule& m);
// Frees the module's contents (the record itself stays).
void FreeXmModule(XmModule* module);

}  // namespace tolv
