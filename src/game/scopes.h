// Scoped lists: game entries first, then the zone's, then the act's. A
// scope's entries are (re)counted only after the inner scopes were dropped.
#pragma once
#include <cstdint>

namespace tolv {

enum Scope { kScopeGame = 0, kScopeZone = 1, kScopeAct = 2 };
constexpr uint32_t kMaxScopedEntries = 65535;  // totals are u16; function 65535 marks a free lane

extern const char* const scope_words[3];  // "Game", "Zone", "Act"

// First index of a scope's entries in a list with total/act/zone/game counts.
template <class L>
inline uint32_t ScopeFirst(const L& l, int scope) {
  return scope == kScopeGame ? 0u : scope == kScopeZone ? l.game : uint32_t(l.game) + l.zone;
}

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

// The count a scope keeps: drop (0 all, 1 zone and act, 2 act) leaves the
// entries before it. Returns the new total.
template <class L>
inline uint16_t DropScopes(L& l, int drop) {
  if (drop <= kScopeGame) l.game = 0;
  if (drop <= kScopeZone) l.zone = 0;
  l.act = 0;
  l.total = uint16_t(l.game + l.zone);
  return l.total;
}

}  // namespace tolv
