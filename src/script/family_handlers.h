// Handlers of the regular command families, one template instance per
// signature: the spaces, words and operation are fixed at compile time, so a
// handler is a few checked loads, one operation and its store.
#pragma once
#include <array>
#include <utility>

#include "script/commands.h"
#include "script/family_signatures.h"
#include "script/lane_access.h"
#include "script/operand_kinds.h"
#include "script/operands.h"

namespace tolv {

// Power with the integer result rule: truncation, and -2147483648 for any
// result outside the 32-bit range (power_commands.cpp).
int32_t PowerInt(int32_t base, int32_t exponent);

inline uint32_t BitMask(int32_t n) { return 1u << (static_cast<uint32_t>(n) & 31); }

// Computes op(a, b) into r; false leaves the destination unchanged
// (division and modulo by 0). Arithmetic wraps in 32 bits.
template <Oper O>
inline bool Apply(int32_t a, int32_t b, int32_t& r) {
  uint32_t x = static_cast<uint32_t>(a), y = static_cast<uint32_t>(b);
  uint32_t v = 0;
  if constexpr (O == Oper::kAdd) v = x + y;
  else if constexpr (O == Oper::kSub) v = x - y;
  else if constexpr (O == Oper::kMul) v = x * y;
  else if constexpr (O == Oper::kDiv || O == Oper::kMod) {
    if (b == 0) return false;
    if (b == -1) v = O == Oper::kDiv ? 0u - x : 0u;  // INT_MIN / -1 = INT_MIN
    else v = static_cast<uint32_t>(O == Oper::kDiv ? a / b : a % b);
  } else if constexpr (O == Oper::kShl) v = x << (y & 31);
  else if constexpr (O == Oper::kSar) v = static_cast<uint32_t>(a >> (y & 31));
  else if constexpr (O == Oper::kAnd) v = x & y;
  else if constexpr (O == Oper::kOr) v = x | y;
  else if constexpr (O == Oper::kXor) v = x ^ y;
  else if constexpr (O == Oper::kPow) v = static_cast<uint32_t>(PowerInt(a, b));
  else if constexpr (O == Oper::kMove) v = y;
  else if constexpr (O == Oper::kInc) v = x + 1;
  else if constexpr (O == Oper::kDec) v = x - 1;
  else if constexpr (O == Oper::kNeg) v = 0u - x;
  else if constexpr (O == Oper::kAbs) {
    uint32_t s = static_cast<uint32_t>(a >> 31);
    v = (x ^ s) - s;
  } else if constexpr (O == Oper::kSetBit) v = x | BitMask(b);
  else if constexpr (O == Oper::kClearBit) v = x & ~BitMask(b);
  else if constexpr (O == Oper::kFlipBit) v = x ^ BitMask(b);
  else static_assert(O == Oper::kAdd, "not a store operation");
  r = static_cast<int32_t>(v);
  return true;
}

template <Oper O>
inline bool Holds(int32_t a, int32_t b) {
  if constexpr (O == Oper::kLt) return a < b;
  else if constexpr (O == Oper::kGt) return a > b;
  else if constexpr (O == Oper::kLe) return a <= b;
  else if constexpr (O == Oper::kGe) return a >= b;
  else if constexpr (O == Oper::kEq) return a == b;
  else if constexpr (O == Oper::kNe) return a != b;
  else if constexpr (O == Oper::kMaskSet) return (a & b) != 0;
  else if constexpr (O == Oper::kMaskClear) return (a & b) == 0;
  else if constexpr (O == Oper::kBitSet) return (static_cast<uint32_t>(a) & BitMask(b)) != 0;
  else if constexpr (O == Oper::kBitClear) return (static_cast<uint32_t>(a) & BitMask(b)) == 0;
  else static_assert(O == Oper::kLt, "not a test");
}

// Both sources are read before the destination is written, so the
// destination may be one of them.
template <Sig S>
void StoreCommand() {
  int32_t a = 0, b = 0, r;
  if constexpr (S.a_word != 0) a = KindValue<S.a>(Op(S.a_word));
  if constexpr (S.b_word != 0) b = KindValue<S.b>(Op(S.b_word));
  if (Apply<S.op>(a, b, r)) KindCell<S.dst>(Op(S.dst_word)) = r;
}

template <Sig S>
void SwapCommand() {
  int32_t a = KindValue<S.a>(Op(1)), b = KindValue<S.b>(Op(2));
  KindCell<S.a>(Op(1)) = b;
  KindCell<S.b>(Op(2)) = a;
}

// Jumps store target - 1 (the run loop adds 1); only the low 16 bits count.
template <Sig S, uint16_t& (*Pc)()>
void TestCommand() {
  bool holds = Holds<S.op>(KindValue<S.a>(Op(1)), KindValue<S.b>(Op(2)));
  if (holds == (S.form == Form::kWhile)) Pc() = static_cast<uint16_t>(Op(3));
}

// One name per operation and operand layout, so that every variant of a
// name reads its words the same way: tests carry their test ("if <",
// "while =="), dst op= src is "add in place", a constant mask into the
// first word "or mask", a negated copy "move negated".
constexpr const char* SigName(const Sig& s) {
  constexpr const char* names[] = {
      "add", "subtract", "multiply", "divide", "shift left", "shift right", "and", "or",
      "xor", "modulo", "power", "move", "increment", "decrement", "negate", "absolute value",
      "set bit", "clear bit", "flip bit"};
  constexpr const char* compound[] = {
      "add in place", "subtract in place", "multiply in place", "divide in place",
      "shift left in place", "shift right in place", "and in place", "or in place",
      "xor in place", "modulo in place", "power in place"};
  constexpr const char* ifs[] = {"if <", "if >", "if <=", "if >=", "if ==", "if !=",
                                 "if mask set", "if mask clear", "if bit set", "if bit clear"};
  constexpr const char* whiles[] = {"while <", "while >", "while <=", "while >=", "while ==", "while !="};
  constexpr int first_test = static_cast<int>(Oper::kLt);
  int op = static_cast<int>(s.op);
  if (s.form == Form::kSwap) return "exchange";
  if (s.form == Form::kIf) return ifs[op - first_test];
  if (s.form == Form::kWhile) return whiles[op - first_test];
  if (s.dst_word == 2 && s.b_word == 1) return compound[op];
  if (s.dst_word == 1 && s.b_word == 2 && op >= static_cast<int>(Oper::kAnd) && op <= static_cast<int>(Oper::kXor))
    return op == static_cast<int>(Oper::kAnd) ? "and mask" : op == static_cast<int>(Oper::kOr) ? "or mask" : "xor mask";
  if (s.dst_word == 2 && s.op == Oper::kNeg) return "move negated";
  if (s.dst_word == 2 && s.op == Oper::kAbs) return "move absolute value";
  return names[op];
}

// Words 1.. of the instruction as the handler reads them; a test's word 3
// is its jump target.
constexpr uint32_t SigKinds(const Sig& s) {
  if (s.form == Form::kIf || s.form == Form::kWhile) return PackKinds({s.a, s.b, Kind::K});
  Kind words[3] = {Kind::None, Kind::None, Kind::None};
  if (s.b_word) words[s.b_word - 1] = s.b;
  if (s.a_word) words[s.a_word - 1] = s.a;
  if (s.dst_word) words[s.dst_word - 1] = s.dst;
  int n = SigLength(s) - 1;
  return n == 1 ? PackKinds({words[0]}) : n == 2 ? PackKinds({words[0], words[1]})
                                                 : PackKinds({words[0], words[1], words[2]});
}

template <Sig S>
constexpr CommandDef SigDef() {
  CommandDef d{};
  if constexpr (S.form == Form::kStore) {
    d = TOLV_ALL(S.id, SigLength(S), StoreCommand<S>, SigName(S));
  } else if constexpr (S.form == Form::kSwap) {
    d = TOLV_ALL(S.id, SigLength(S), SwapCommand<S>, SigName(S));
  } else {
    d = {S.id, SigLength(S), TestCommand<S, PlainLanePc>, TestCommand<S, TimedLanePc>,
         TestCommand<S, PlainLanePc>, SigName(S)};
  }
  d.kinds = SigKinds(S);
  return d;
}

template <const SigList& L, size_t... I>
constexpr std::array<CommandDef, sizeof...(I)> SigDefsOf(std::index_sequence<I...>) {
  return {SigDef<L.items[I]>()...};
}

// The command list entries of every signature of L.
template <const SigList& L>
constexpr auto SigDefs() {
  return SigDefsOf<L>(std::make_index_sequence<L.count>());
}

}  // namespace tolv
