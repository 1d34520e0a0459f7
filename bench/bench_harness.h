// A small timing harness: runs a body repeatedly for a minimum time and
// reports the best nanoseconds per unit over several rounds.
#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace tolv::bench {

// body() does `units` units of work per call; returns ns per unit.
inline double TimePerUnit(const std::function<void()>& body, uint64_t units, int rounds = 5,
                          double min_seconds = 0.2) {
  using clock = std::chrono::steady_clock;
  double best = 1e30;
  for (int r = 0; r < rounds; r++) {
    uint64_t calls = 0;
    auto start = clock::now();
    double elapsed = 0;
    do {
      for (int i = 0; i < 16; i++) body();
      calls += 16;
      elapsed = std::chrono::duration<double>(clock::now() - start).count();
    } while (elapsed < min_seconds);
    double ns = elapsed * 1e9 / (double(calls) * double(units));
    if (ns < best) best = ns;
  }
  return best;
}

// One report line: "<name>: <who> <figure> ns/<unit>".
inline void Report(const char* name, const char* who, double ns, const char* unit) {
  std::printf("%s: %s %.2f ns/%s\n", name, who, ns, unit);
}

}  // namespace tolv::bench
