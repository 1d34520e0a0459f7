// Little-endian fields of the foreign sound formats (RIFF WAV, XM), read
// through the bounded reader.
#pragma once
#include <cstdint>

#include "base/byte_reader.h"

namespace tolv {

inline uint16_t U16Le(ByteReader& r) {
  uint16_t v = r.U16();
  return uint16_t(v >> 8 | v << 8);
}
inline uint32_t U32Le(ByteReader& r) {
  uint32_t lo = U16Le(r);
  return lo | uint32_t(U16Le(r)) << 16;
}

}  // namespace tolv
