#include "files/archive_format.h"

#include "script/random.h"

namespace tolv {

uint32_t BuildScrambleTable(uint32_t seed, uint8_t table[16]) {
  uint32_t x = seed;
  for (int i = 0; i < 16; i++) {
    x = StepRandomSeed(x);
    table[i] = static_cast<uint8_t>(x >> 16);
  }
  return x;
}

}  // namespace tolv
