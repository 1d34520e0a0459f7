// Operand kinds of the command families, resolved at compile time so that
// each numbered variant is its own handler with no run-time kind tests.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "script/commands.h"
#include "script/operands.h"

namespace tolv {

// None marks an operand a command does not have.
enum class Kind { R, PA, PB, PD, OA, OB, OD, K, None };

// The cell an operand word names in its kind's space (not for K).
template <Kind k>
inline int32_t& KindCell(uint32_t w) {
  if constexpr (k == Kind::R) return Reg(w);
  else if constexpr (k == Kind::PA) return PAVar(w);
  else if constexpr (k == Kind::PB) return PBVar(w);
  else if constexpr (k == Kind::PD) return PDVar(w);
  else if constexpr (k == Kind::OA) return OAVar(w);
  else if constexpr (k == Kind::OB) return OBVar(w);
  else if constexpr (k == Kind::OD) return ODVar(w);
  else static_assert(k == Kind::OD, "a constant has no cell");
}

template <Kind k>
inline int32_t KindValue(uint32_t w) {
  if constexpr (k == Kind::K) return static_cast<int32_t>(w);
  else return KindCell<k>(w);
}

// A variant's operand kinds, word 1 first, as its list entry records them.
constexpr uint32_t PackKinds(std::initializer_list<Kind> kinds) {
  uint32_t packed = 0;
  int shift = 0;
  for (Kind k : kinds) {
    packed |= (static_cast<uint32_t>(k) + 1) << shift;
    shift += 4;
  }
  return packed;
}

constexpr CommandDef WithKinds(CommandDef d, std::initializer_list<Kind> kinds) {
  d.kinds = PackKinds(kinds);
  return d;
}

// Destination kinds in family order: R, PD, OD.
constexpr Kind kDestKinds[3] = {Kind::R, Kind::PD, Kind::OD};

// A family's CommandDefs, one per variant number 0..N-1: make(integral
// constant I) returns the def of variant I.
template <size_t N, class Make>
constexpr std::array<CommandDef, N> FamilyDefs(Make make) {
  return [&]<size_t... I>(std::index_sequence<I...>) {
    return std::array<CommandDef, N>{make(std::integral_constant<size_t, I>{})...};
  }(std::make_index_sequence<N>{});
}

template <size_t... N>
constexpr std::array<CommandDef, (N + ...)> JoinDefs(const std::array<CommandDef, N>&... lists) {
  std::array<CommandDef, (N + ...)> all{};
  size_t k = 0;
  ((std::copy(lists.begin(), lists.end(), all.begin() + k), k += N), ...);
  return all;
}

}  // namespace tolv
