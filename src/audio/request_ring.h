// Single-producer single-consumer ring of small requests between the game
// thread and the audio thread; a full ring drops the new request.
#pragma once
#include <atomic>
#include <cstdint>

namespace tolv {

template <class T, uint32_t N>
struct RequestRing {
  static_assert((N & (N - 1)) == 0, "power of two");
  T items[N] = {};
  std::atomic<uint32_t> head{0}, tail{0};  // head: next to read; tail: next to write

  bool Push(const T& v) {
    uint32_t t = tail.load(std::memory_order_relaxed);
    if (t - head.load(std::memory_order_acquire) >= N) return false;
    items[t % N] = v;
    tail.store(t + 1, std::memory_order_release);
    return true;
  }
  bool Pop(T& v) {
    uint32_t h = head.load(std::memory_order_relaxed);
    if (h == tail.load(std::memory_order_acquire)) return false;
    v = items[h % N];
    head.store(h + 1, std::memory_order_release);
    return true;
  }
  // Consumer side only.
  void Clear() { head.store(tail.load(std::memory_order_acquire), std::memory_order_release); }
};

}  // namespace tolv
