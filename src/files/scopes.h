// Counting a scope of a scoped list (base/scope_counts.h): its size is
// checked, and a scope's entries are (re)counted only after the inner
// scopes were dropped.
#pragma once
#include <cstdint>

#include "base/scope_counts.h"

namespace tolv {

extern const char* const scope_words[3];  // "Game", "Zone", "Act"

// Fatal when a scope of n entries would take the list past 65535 entries.
void CheckScopeSize(uint32_t first, int64_t n, const char* what);

// Makes the scope n entries long (inner scopes empty) and returns its first
// index; the caller grows its arrays to the new total.
template <class L>
inline uint32_t SetScopeCount(L& l, int scope, int64_t n, const char* what) {
  uint32_t first = ScopeFirst(l, scope);
  CheckScopeSize(first, n, what);
  uint16_t v = uint16_t(n);
  if (scope == kScopeGame) l.game = v, l.zone = 0, l.act = 0;
  else if (scope == kScopeZone) l.zone = v, l.act = 0;
  else l.act = v;
  l.total = uint16_t(first + v);
  return first;
}

}  // namespace tolv
