// Scoped lists: entries are numbered game first, then zone, then act.
#pragma once
#include <cstdint>

namespace tolv {

enum Scope { kScopeGame = 0, kScopeZone = 1, kScopeAct = 2 };
constexpr uint32_t kMaxScopedEntries = 65535;  // totals are u16; function 65535 marks a free lane

// Four counts of every scoped list.
struct ScopeCounts {
  uint16_t total = 0, act = 0, zone = 0, game = 0;
};

// First index of a scope's entries in a list with total/act/zone/game counts.
template <class L>
inline uint32_t ScopeFirst(const L& l, int scope) {
  return scope == kScopeGame ? 0u : scope == kScopeZone ? l.game : uint32_t(l.game) + l.zone;
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
