// XM file reader. Every count and size is checked against the bytes that
// are there, so a damaged file is refused without reading outside it and
// without allocating more than a small multiple of its size.
#include <algorithm>
#include <cstring>

#include "audio/le_fields.h"
#include "audio/xm_module.h"

namespace tolv {

static const char kMagic[] = "Extended Module: ";
constexpr uint32_t kMinLoop = 2048;

// A sub-reader over the next n bytes (fewer when the file ends first).
static ByteReader Slice(const ByteReader& r, uint32_t n) {
  return ByteReader(r.data + r.pos, std::min<size_t>(n, r.Left()));
}

static const char* ReadHeader(ByteReader& r, XmModule& m) {
  if (r.Left() < 80 || std::memcmp(r.data, kMagic, 17) != 0) return "not an XM module";
  r.Skip(58);
  if (U16Le(r) != 0x0104) return "unsupported XM version";
  uint32_t header_size = U32Le(r);  // counting its own four bytes
  if (header_size < 20 || r.Left() < header_size - 4) return "truncated header";
  ByteReader h = Slice(r, header_size - 4);  // orders past its end read as 0
  m.song_length = U16Le(h);
  m.restart = U16Le(h);
  m.channels = U16Le(h);
  uint16_t patterns = U16Le(h), instruments = U16Le(h);
  m.flags = U16Le(h);
  m.speed = U16Le(h);
  m.bpm = U16Le(h);
  h.Bytes(m.orders, std::min<size_t>(256, h.Left()));
  if (m.song_length == 0 || m.song_length > 256) return "bad song length";
  if (m.channels == 0 || m.channels > kXmMaxChannels) return "bad channel count";
  if (patterns > 256 || instruments > 128) return "bad pattern or instrument count";
  if (m.speed == 0 || m.speed > 31) m.speed = 6;
  if (m.bpm < 32 || m.bpm > 255) m.bpm = 125;
  r.Skip(header_size - 4);
  m.patterns.resize(patterns);
  m.instruments.resize(instruments);
  return nullptr;
}

// Packed cells: a byte with bit 7 set says which of the five fields follow;
// otherwise it is the note and all four others follow.
static bool UnpackCells(ByteReader& d, XmPattern& p, uint32_t channels) {
  p.cells.resize(size_t(p.rows) * channels);
  for (XmCell& c : p.cells) {
    uint8_t b = d.U8(), mask = 0x1F;
    if (b & 0x80) mask = b & 0x1F;
    else c.note = b, mask = 0x1E;
    if (mask & 1) c.note = d.U8();
    if (mask & 2) c.instrument = d.U8();
    if (mask & 4) c.volume = d.U8();
    if (mask & 8) c.effect = d.U8();
    if (mask & 16) c.param = d.U8();
    if (d.failed) return false;
    if (c.note > 97) c.note = 0;
  }
  return true;
}

static const char* ReadPatterns(ByteReader& r, XmModule& m) {
  for (XmPattern& p : m.patterns) {
    uint32_t header = U32Le(r);
    if (header < 9) return "bad pattern header";
    ByteReader h = Slice(r, header - 4);
    h.Skip(1);  // packing type
    p.rows = U16Le(h);
    uint16_t packed = U16Le(h);
    if (h.failed || p.rows == 0 || p.rows > 256) return "bad pattern header";
    r.Skip(header - 4);
    ByteReader d = Slice(r, packed);
    if (!r.Skip(packed)) return "truncated pattern";
    if (packed && !UnpackCells(d, p, m.channels)) return "bad pattern data";
  }
  return r.failed ? "truncated pattern" : nullptr;
}

static void ReadEnvelope(ByteReader& h, XmEnvelope& e) {
  for (int i = 0; i < 12; i++) e.x[i] = U16Le(h), e.y[i] = std::min<uint16_t>(U16Le(h), 64);
}

// Envelope points must stand in order of time; the count, sustain and loop
// points are clamped into the list, and a broken list switches it off.
static void CheckEnvelope(XmEnvelope& e) {
  e.points = std::min<uint8_t>(e.points, 12);
  if (e.points < 2) e.flags = 0;
  for (int i = 1; i < e.points; i++)
    if (e.x[i] <= e.x[i - 1]) e.flags = 0;
  uint8_t last = e.points ? uint8_t(e.points - 1) : 0;
  e.sustain = std::min(e.sustain, last);
  e.loop_end = std::min(e.loop_end, last);
  e.loop_start = std::min(e.loop_start, e.loop_end);
}

struct SampleHeader {
  uint32_t bytes, loop_start, loop_length;
  uint8_t type;
};

static SampleHeader ReadSampleHeader(ByteReader& r, XmSample& s) {
  SampleHeader h;
  h.bytes = U32Le(r);
  h.loop_start = U32Le(r);
  h.loop_length = U32Le(r);
  s.volume = std::min<uint8_t>(r.U8(), 64);
  s.finetune = int8_t(r.U8());
  h.type = r.U8();
  s.panning = r.U8();
  s.relative_note = int8_t(r.U8());
  r.Skip(23);  // reserved byte and name
  return h;
}

// Delta-coded 8- or 16-bit data.
static std::vector<int16_t> DecodeFrames(ByteReader& r, const SampleHeader& h) {
  bool wide = h.type & 0x10;
  uint32_t n = wide ? h.bytes / 2 : h.bytes;
  std::vector<int16_t> f(n);
  int16_t acc = 0;
  for (uint32_t i = 0; i < n; i++) {
    if (wide) acc = int16_t(acc + int16_t(U16Le(r)));
    else acc = int16_t(acc + int16_t(int8_t(r.U8()) << 8));
    f[i] = acc;
  }
  if (wide && (h.bytes & 1)) r.Skip(1);
  return f;
}

// The frames laid out for the mixer (see xm_module.h): the loop cut to
// fit, a ping-pong loop unrolled, the loop body repeated.
static void DecodeSample(ByteReader& r, const SampleHeader& h, XmSample& s) {
  std::vector<int16_t> f = DecodeFrames(r, h);
  uint32_t n = uint32_t(f.size()), wide = (h.type & 0x10) ? 2 : 1;
  uint32_t start = h.loop_start / wide, len = h.loop_length / wide;
  uint8_t loop = h.type & 3;
  if (start >= n) loop = 0;
  else len = std::min(len, n - start);
  s.file_length = n;
  s.frames.assign(1, 0);
  if (loop == 0 || len == 0) {
    s.frames.insert(s.frames.end(), f.begin(), f.end());
    s.frames.insert(s.frames.end(), 2, 0);
    s.length = n;
    return;
  }
  std::vector<int16_t> body(f.begin() + start, f.begin() + start + len);
  if (loop == 2) {
    std::vector<int16_t> back(body.rbegin(), body.rend());
    body.insert(body.end(), back.begin(), back.end());
  }
  uint32_t b = uint32_t(body.size()), copies = 2;
  while ((copies - 1) * b < kMinLoop) copies++;
  s.frames.insert(s.frames.end(), f.begin(), f.begin() + start);
  for (uint32_t i = 0; i < copies; i++) s.frames.insert(s.frames.end(), body.begin(), body.end());
  s.loop_start = start + b;
  s.loop_length = (copies - 1) * b;
  s.length = start + copies * b;
  s.frames.push_back(body[0]);
  s.frames.push_back(body[1 % b]);
}

static const char* ReadInstrument(ByteReader& r, XmInstrument& ins) {
  uint32_t size = U32Le(r);
  if (size < 4 || r.failed) return "truncated instrument";
  ByteReader h = Slice(r, size - 4);  // fields the header is too short for read as 0
  h.Skip(23);                          // name, type
  uint16_t count = U16Le(h);
  h.Skip(4);  // sample header size: always 40
  h.Bytes(ins.keymap, 96);
  ReadEnvelope(h, ins.volume_envelope);
  ReadEnvelope(h, ins.panning_envelope);
  XmEnvelope &v = ins.volume_envelope, &p = ins.panning_envelope;
  v.points = h.U8(), p.points = h.U8();
  v.sustain = h.U8(), v.loop_start = h.U8(), v.loop_end = h.U8();
  p.sustain = h.U8(), p.loop_start = h.U8(), p.loop_end = h.U8();
  v.flags = h.U8(), p.flags = h.U8();
  ins.vibrato_type = h.U8(), ins.vibrato_sweep = h.U8(), ins.vibrato_depth = h.U8(), ins.vibrato_rate = h.U8();
  ins.fadeout = U16Le(h);
  CheckEnvelope(v);
  CheckEnvelope(p);
  if (!r.Skip(size - 4)) return "truncated instrument";
  if (count > 16) return "bad sample count";
  if (!r.CanHold(count, 40)) return "truncated sample header";
  ins.samples.resize(count);
  std::vector<SampleHeader> headers;
  for (XmSample& s : ins.samples) headers.push_back(ReadSampleHeader(r, s));
  for (size_t i = 0; i < count; i++) {
    if (headers[i].bytes > r.Left()) return "truncated sample data";
    DecodeSample(r, headers[i], ins.samples[i]);
  }
  for (uint8_t& k : ins.keymap)
    if (k >= count) k = 0xFF;  // no sample for that note
  return nullptr;
}

const char* ParseXmModule(const uint8_t* bytes, size_t size, XmModule& m) {
  ByteReader r(bytes, size);
  const char* why = ReadHeader(r, m);
  if (!why) why = ReadPatterns(r, m);
  for (XmInstrument& ins : m.instruments) {
    if (why) break;
    why = ReadInstrument(r, ins);
  }
  if (why) FreeXmModule(&m);
  return why;
}

void FreeXmModule(XmModule* module) {
  if (!module) return;
  module->patterns = {};
  module->instruments = {};
}

}  // namespace tolv
