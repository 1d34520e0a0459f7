// XM modules as the player reads them: the order list, unpacked pattern
// cells and instruments with their envelopes and samples. Samples are
// 16-bit mono frames; a ping-pong loop is stored unrolled (forward, then
// backward) and a short loop repeated to 2048 frames or more, so the mixer
// only ever loops forward and seldom wraps. One guard frame follows
// every sample (the loop start's frame, or 0) for interpolation.
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
  std::vector<int16_t> frames;  // length frames and the guard
  uint32_t length = 0;          // frames played before the loop (or the end)
  uint32_t loop_start = 0, loop_length = 0;  // loop_length 0: no loop
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

// Parses a whole XM file into `m`. Returns null, or what is wrong with it.
const char* ParseXmModule(const uint8_t* bytes, size_t size, XmModule& m);
// Frees the module's contents (the record itself stays).
void FreeXmModule(XmModule* module);

}  // namespace tolv
