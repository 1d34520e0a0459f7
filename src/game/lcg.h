// The engine's linear congruential generator, shared by script random
// numbers and the archive scrambling.
#pragma once
#include <cstdint>

namespace tolv {

// State of the script random generator (defined weakly here until the
// script library provides it).
extern uint32_t random_seed;

inline uint32_t StepLcg(uint32_t& x) {
  x = x * 1103515245u + 12345u;
  return x;
}

}  // namespace tolv
