// Big-endian byte builder for the engine's own file formats; the bytes go
// to disk in one piece through SaveFileAtomically.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tolv {

struct ByteWriter {
  std::vector<uint8_t> bytes;

  void U8(uint32_t v) { bytes.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v >> 8);
    U8(v);
  }
  void U32(uint32_t v) {
    U16(v >> 16);
    U16(v);
  }
  void Bytes(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    bytes.insert(bytes.end(), b, b + n);
  }
  size_t Size() const { return bytes.size(); }
};

}  // namespace tolv
