// Pixel codes of a sprite file: a B-bit value goes least significant bit
// first, filling each byte from bit 0 up. Each frame's codes start on a
// byte boundary: the writer flushes a part-filled byte (high bits 0) and
// the reader drops the rest of its byte.
#pragma once
#include <cstdint>

#include "base/byte_reader.h"
#include "base/byte_writer.h"

namespace tolv {

struct BitWriter {
  ByteWriter* out;
  uint32_t byte = 0;  // bits collected so far
  uint32_t used = 0;  // how many, 0..7
};

inline void WriteBits(BitWriter& w, uint32_t value, uint32_t width) {
  while (width) {
    uint32_t n = 8 - w.used < width ? 8 - w.used : width;
    w.byte |= (value & ((1u << n) - 1)) << w.used;
    value >>= n;
    width -= n;
    w.used += n;
    if (w.used == 8) {
      w.out->U8(w.byte);
      w.byte = w.used = 0;
    }
  }
}
inline void WriteBit(BitWriter& w, uint32_t bit) { WriteBits(w, bit, 1); }
inline void FlushBits(BitWriter& w) {
  if (w.used) w.out->U8(w.byte);
  w.byte = w.used = 0;
}

struct BitReader {
  ByteReader* in;
  uint32_t byte = 0;
  uint32_t used = 8;  // 8: the next bit needs a fresh byte
};

// width 0 gives 0 and consumes nothing.
inline uint32_t ReadBits(BitReader& r, uint32_t width) {
  uint32_t value = 0, got = 0;
  while (got < width) {
    if (r.used == 8) {
      r.byte = r.in->U8();
      r.used = 0;
    }
    uint32_t n = 8 - r.used < width - got ? 8 - r.used : width - got;
    value |= ((r.byte >> r.used) & ((1u << n) - 1)) << got;
    got += n;
    r.used += n;
  }
  return value;
}
inline uint32_t ReadBit(BitReader& r) { return ReadBits(r, 1); }
inline void DiscardBits(BitReader& r) { r.used = 8; }

}  // namespace tolv
