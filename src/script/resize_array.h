// Growing and shrinking the plain arrays that records own (lane arrays,
// counters): realloc, with 0 elements meaning freed and null.
#pragma once
#include <cstdlib>
#include <new>

namespace tolv {

template <typename T>
T* ResizeArray(T* p, unsigned n) {
  if (n == 0) {
    if (p) std::free(p);  // records are emptied by the thousand: skip the call
    return nullptr;
  }
  T* q = static_cast<T*>(std::realloc(p, n * sizeof(T)));
  if (!q) throw std::bad_alloc();
  return q;
}

}  // namespace tolv
