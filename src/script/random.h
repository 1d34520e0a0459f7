// The script random generator (a 32-bit linear congruential generator) and
// the wall clock. The archive reader and the packer step the same state.
#pragma once
#include <cstdint>

namespace tolv {

extern uint32_t random_seed;

inline uint32_t StepRandomSeed(uint32_t seed) { return seed * 1103515245u + 12345u; }

// Steps random_seed and returns the value drawn, 0..32767.
inline uint32_t NextRandom() {
  random_seed = StepRandomSeed(random_seed);
  return (random_seed >> 16) & 0x7FFF;
}

// Seconds since 1970-01-01 UTC; replaceable so tests can fix the time.
using WallClock = int64_t (*)();
extern WallClock wall_clock;
int64_t SystemWallClock();

// Engine start: the seed is the low 32 bits of the wall-clock time.
void SeedRandomFromClock();

// low + v mod (high + 1 - low) for one fresh draw v; a width of 0 (the full
// 32-bit range) gives low + v.
int32_t RandomInRange(int32_t low, int32_t high);

}  // namespace tolv
