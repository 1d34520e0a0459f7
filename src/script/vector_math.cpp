#include "script/vector_math.h"

#include <cmath>

namespace tolv {

// Legs are at most 2^32, so every step below fits in 64 bits.
uint8_t VectorAngle(Vector v) {
  if (v.x == 0 && v.y == 0) return 64;
  int64_t ax = v.x < 0 ? -v.x : v.x;
  int64_t ay = v.y < 0 ? -v.y : v.y;
  int32_t a = ax > ay ? atan_table[ay * 256 / ax] : 64 - atan_table[ax * 256 / ay];
  if (v.x < 0) a = 128 - a;
  if (v.y < 0) a = -a & 255;
  return static_cast<uint8_t>(a);
}

int32_t VectorDistance(Vector v) {
  uint64_t ax = static_cast<uint64_t>(v.x < 0 ? -v.x : v.x);
  uint64_t ay = static_cast<uint64_t>(v.y < 0 ? -v.y : v.y);
  double sum = static_cast<double>(ax * ax) + static_cast<double>(ay * ay);
  // The single-precision root is part of the result: large distances round
  // on its 24-bit mantissa.
  float root = static_cast<float>(std::sqrt(sum));
  if (root >= 2147483648.0f) return INT32_MAX;
  int32_t n = static_cast<int32_t>(root);
  return root - static_cast<float>(n) >= 0.5f ? n + 1 : n;
}

}  // namespace tolv
