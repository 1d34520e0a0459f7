// Bounded big-endian reader over bytes already in memory. A read past the
// end yields 0 and latches `failed`; loaders parse a whole file and look at
// `failed` once, so a truncated file never reads outside its bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tolv {

struct ByteReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
  bool failed = false;

  ByteReader() = default;
  ByteReader(const uint8_t* d, size_t n) : data(d), size(n) {}

  size_t Left() const { return pos < size ? size - pos : 0; }
  // True when n more bytes are there; otherwise marks the read failed.
  bool Need(uint64_t n) {
    if (!failed && n <= Left()) return true;
    failed = true;
    pos = size;
    return false;
  }
  uint8_t U8() { return Need(1) ? data[pos++] : 0; }
  uint16_t U16() {
    if (!Need(2)) return 0;
    uint16_t v = static_cast<uint16_t>(data[pos] << 8 | data[pos + 1]);
    pos += 2;
    return v;
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = uint32_t(data[pos]) << 24 | uint32_t(data[pos + 1]) << 16 | uint32_t(data[pos + 2]) << 8 |
                 uint32_t(data[pos + 3]);
    pos += 4;
    return v;
  }
  int32_t S32() { return static_cast<int32_t>(U32()); }
  int16_t S16() { return static_cast<int16_t>(U16()); }
  bool Bytes(void* out, size_t n) {
    if (!Need(n)) {
      if (n) std::memset(out, 0, n);
      return false;
    }
    if (n) std::memcpy(out, data + pos, n);
    pos += n;
    return true;
  }
  bool Skip(uint64_t n) {
    if (!Need(n)) return false;
    pos += static_cast<size_t>(n);
    return true;
  }
  // A count of `each`-byte records the remaining bytes must be able to hold.
  bool CanHold(uint64_t count, uint64_t each) {
    if (each != 0 && count > Left() / each) {
      failed = true;
      pos = size;
      return false;
    }
    return !failed;
  }
};

}  // namespace tolv
