#include "game/archive_format.h"

#include "game/lcg.h"

namespace tolv {

uint32_t BuildScrambleTable(uint32_t seed, uint8_t table[16]) {
  uint32_t x = seed;
  for (int i = 0; i < 16; i++) table[i] = static_cast<uint8_t>(StepLcg(x) >> 16);
  return x;
}

}  // namespace tolv
