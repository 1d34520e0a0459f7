// Reference model of the arithmetic and compare families, written from the
// ID layouts in the decode direction (ID -> operation and operand spaces)
// and with 64-bit arithmetic, independently of the engine's signature lists.
#pragma once
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "script/operand_kinds.h"

namespace ref {

using Sp = tolv::Kind;

enum class Shape {
  kNone,      // not a family member
  kThree,     // op3 := op1 OP op2
  kCompound,  // op2 := op2 OP op1
  kMove,      // op1 := op2
  kSwap,      // op1 <-> op2
  kInPlace,   // op1 := OP op1
  kInto,      // op2 := OP op1
  kMask,      // op1 := op1 OP op2 (op2 a constant mask or a bit register)
  kIf,        // jump to op3 unless op1 OP op2
  kWhile,     // jump to op3 if op1 OP op2
};

struct Cmd {
  Shape shape = Shape::kNone;
  std::string op;  // "+", "-", "*", "/", "%", "&", "|", "^", "<<", ">>", "pow", "++", "--",
                   // "neg", "abs", "set", "clear", "flip", "<", ">", "<=", ">=", "==", "!=",
                   // "mask!=0", "mask==0", "bit1", "bit0", "="
  Sp dst = Sp::None, a = Sp::None, b = Sp::None;  // a at op1, b at op2 (swap, tests, three)
};

inline Cmd Three(const std::string& op, Sp d, Sp a, Sp b) { return {Shape::kThree, op, d, a, b}; }

constexpr Sp kD[3] = {Sp::R, Sp::PD, Sp::OD};

// Layout 1 groups: operand pair and size; R-destination start IDs.
struct G1 {
  Sp a, b;
  int size;
};
inline const G1 kGroups[15] = {{Sp::R, Sp::R, 5},   {Sp::R, Sp::K, 5},   {Sp::K, Sp::R, 3},
                               {Sp::PA, Sp::R, 5},  {Sp::R, Sp::PA, 3},  {Sp::PA, Sp::K, 5},
                               {Sp::K, Sp::PA, 3},  {Sp::PA, Sp::OA, 5}, {Sp::OA, Sp::PA, 3},
                               {Sp::PA, Sp::PB, 5}, {Sp::OA, Sp::OB, 5}, {Sp::OA, Sp::R, 5},
                               {Sp::R, Sp::OA, 3},  {Sp::OA, Sp::K, 5},  {Sp::K, Sp::OA, 3}};

inline Cmd Layout1(int group, int k, Sp dst) {
  static const char* five[5] = {"+", "-", "*", "/", "pow"};
  static const char* three[3] = {"-", "/", "pow"};
  const G1& g = kGroups[group];
  if (k >= g.size) return {};
  return Three(g.size == 5 ? five[k] : three[k], dst, g.a, g.b);
}

// Offset within a run of consecutive groups starting at `first`.
inline Cmd Layout1Run(int off, int first, int last, Sp dst) {
  for (int g = first; g <= last; g++) {
    if (off < kGroups[g].size) return Layout1(g, off, dst);
    off -= kGroups[g].size;
  }
  return {};
}

inline Cmd Decode(int id) {
  static const Sp l2a[9] = {Sp::R, Sp::R, Sp::R, Sp::R, Sp::PA, Sp::PA, Sp::PA, Sp::OA, Sp::OA};
  static const Sp l2b[9] = {Sp::R, Sp::K, Sp::PA, Sp::OA, Sp::K, Sp::PB, Sp::OA, Sp::K, Sp::OB};
  static const Sp l3a[12] = {Sp::R, Sp::R, Sp::R, Sp::R, Sp::PA, Sp::PA, Sp::PA, Sp::PA, Sp::OA, Sp::OA, Sp::OA, Sp::OA};
  static const Sp l3b[12] = {Sp::R, Sp::K, Sp::PA, Sp::OA, Sp::R, Sp::K, Sp::PB, Sp::OA, Sp::R, Sp::K, Sp::PA, Sp::OB};
  static const Sp l3kb[4] = {Sp::R, Sp::K, Sp::PB, Sp::OA};
  static const Sp src4[4] = {Sp::R, Sp::PA, Sp::OA, Sp::K};
  if (id >= 47 && id <= 62) return Layout1((id - 47) / 6, (id - 47) % 6, Sp::R);
  if (id >= 145 && id <= 152) return Layout1Run(id - 145, 3, 4, Sp::R);
  if (id >= 154 && id <= 195) return Layout1Run(id - 154, 5, 14, Sp::R);
  if (id >= 196 && id <= 321) return Layout1Run((id - 196) % 63, 0, 14, kD[1 + (id - 196) / 63]);
  if (id >= 473 && id <= 553) {
    int o = id - 473;
    return Three(std::string(1, "&|^"[o / 27]), kD[o % 27 / 9], l2a[o % 9], l2b[o % 9]);
  }
  if (id >= 554 && id <= 661) {
    static const char* ops[3] = {"<<", ">>", "%"};
    int o = id - 554;
    return Three(ops[o / 36], kD[o % 36 / 12], l3a[o % 12], l3b[o % 12]);
  }
  if (id >= 1484 && id <= 1519) {
    static const char* ops[3] = {"<<", ">>", "%"};
    int o = id - 1484;
    return Three(ops[o / 12], kD[o % 12 / 4], Sp::K, l3kb[o % 4]);
  }
  if (id >= 1000 && id <= 1119) {
    static const char* ops[10] = {"+", "-", "*", "/", "%", "&", "|", "^", "<<", ">>"};
    int o = id - 1000;
    return {Shape::kCompound, ops[o % 10], kD[o / 40], Sp::None, src4[o % 40 / 10]};
  }
  if (id >= 1528 && id <= 1539) {
    static const Sp dst[3] = {Sp::R, Sp::OD, Sp::PD};
    int o = id - 1528;
    return {Shape::kCompound, "pow", dst[o / 4], Sp::None, src4[o % 4]};
  }
  struct Row {
    int id;
    Shape shape;
    const char* op;
    Sp dst, a = Sp::None, b = Sp::None;
  };
  static const Row rows[] = {
      {44, Shape::kMove, "=", Sp::R, Sp::None, Sp::R},     {45, Shape::kMove, "=", Sp::R, Sp::None, Sp::K},
      {87, Shape::kMove, "=", Sp::R, Sp::None, Sp::PA},    {140, Shape::kMove, "=", Sp::R, Sp::None, Sp::OA},
      {85, Shape::kMove, "=", Sp::PD, Sp::None, Sp::K},    {86, Shape::kMove, "=", Sp::PD, Sp::None, Sp::R},
      {327, Shape::kMove, "=", Sp::PD, Sp::None, Sp::PA},  {141, Shape::kMove, "=", Sp::PD, Sp::None, Sp::OA},
      {142, Shape::kMove, "=", Sp::OD, Sp::None, Sp::PA},  {143, Shape::kMove, "=", Sp::OD, Sp::None, Sp::R},
      {144, Shape::kMove, "=", Sp::OD, Sp::None, Sp::K},   {328, Shape::kMove, "=", Sp::OD, Sp::None, Sp::OA},
      {1473, Shape::kSwap, "", Sp::None, Sp::R, Sp::R},    {1474, Shape::kSwap, "", Sp::None, Sp::R, Sp::PD},
      {1475, Shape::kSwap, "", Sp::None, Sp::R, Sp::OD},   {1476, Shape::kSwap, "", Sp::None, Sp::OD, Sp::PD},
      {1477, Shape::kSwap, "", Sp::None, Sp::OD, Sp::OD},  {1478, Shape::kSwap, "", Sp::None, Sp::PD, Sp::PD},
      {1479, Shape::kSwap, "", Sp::None, Sp::OA, Sp::OD},  {1480, Shape::kSwap, "", Sp::None, Sp::PA, Sp::PD},
      {662, Shape::kInPlace, "++", Sp::R},                 {663, Shape::kInPlace, "++", Sp::PD},
      {664, Shape::kInPlace, "++", Sp::OD},                {665, Shape::kInPlace, "--", Sp::R},
      {666, Shape::kInPlace, "--", Sp::PD},                {667, Shape::kInPlace, "--", Sp::OD},
      {362, Shape::kMask, "|", Sp::R, Sp::None, Sp::K},    {363, Shape::kMask, "&", Sp::R, Sp::None, Sp::K},
      {364, Shape::kMask, "|", Sp::PD, Sp::None, Sp::K},   {365, Shape::kMask, "&", Sp::PD, Sp::None, Sp::K},
      {366, Shape::kMask, "|", Sp::OD, Sp::None, Sp::K},   {367, Shape::kMask, "&", Sp::OD, Sp::None, Sp::K},
      {368, Shape::kMask, "^", Sp::R, Sp::None, Sp::K},    {369, Shape::kMask, "^", Sp::PD, Sp::None, Sp::K},
      {370, Shape::kMask, "^", Sp::OD, Sp::None, Sp::K},   {1415, Shape::kMask, "set", Sp::R, Sp::None, Sp::R},
      {1416, Shape::kMask, "clear", Sp::R, Sp::None, Sp::R}, {1417, Shape::kMask, "set", Sp::PD, Sp::None, Sp::R},
      {1418, Shape::kMask, "clear", Sp::PD, Sp::None, Sp::R}, {1419, Shape::kMask, "set", Sp::OD, Sp::None, Sp::R},
      {1420, Shape::kMask, "clear", Sp::OD, Sp::None, Sp::R}, {1421, Shape::kMask, "flip", Sp::R, Sp::None, Sp::R},
      {1422, Shape::kMask, "flip", Sp::PD, Sp::None, Sp::R}, {1423, Shape::kMask, "flip", Sp::OD, Sp::None, Sp::R},
      {356, Shape::kIf, "mask!=0", Sp::None, Sp::R, Sp::K},  {357, Shape::kIf, "mask==0", Sp::None, Sp::R, Sp::K},
      {358, Shape::kIf, "mask!=0", Sp::None, Sp::PA, Sp::K}, {359, Shape::kIf, "mask==0", Sp::None, Sp::PA, Sp::K},
      {360, Shape::kIf, "mask!=0", Sp::None, Sp::OA, Sp::K}, {361, Shape::kIf, "mask==0", Sp::None, Sp::OA, Sp::K},
      {1409, Shape::kIf, "bit1", Sp::None, Sp::R, Sp::R},    {1410, Shape::kIf, "bit0", Sp::None, Sp::R, Sp::R},
      {1411, Shape::kIf, "bit1", Sp::None, Sp::PA, Sp::R},   {1412, Shape::kIf, "bit0", Sp::None, Sp::PA, Sp::R},
      {1413, Shape::kIf, "bit1", Sp::None, Sp::OA, Sp::R},   {1414, Shape::kIf, "bit0", Sp::None, Sp::OA, Sp::R},
  };
  for (const Row& r : rows)
    if (r.id == id) return {r.shape, r.op, r.dst, r.a, r.b};
  if (id >= 788 && id <= 811) {
    int o = id - 788, k = o % 12;
    const char* op = o < 12 ? "neg" : "abs";
    static const Sp src[3] = {Sp::R, Sp::PA, Sp::OA};
    if (k < 3) return {Shape::kInPlace, op, kD[k]};
    return {Shape::kInto, op, kD[(k - 3) / 3], Sp::None, src[(k - 3) % 3]};
  }
  static const char* if_ops[6] = {"<", ">", "<=", ">=", "==", "!="};
  struct IfRow {
    int first;
    Sp a, b;
  };
  static const IfRow ifs[9] = {{66, Sp::R, Sp::R},    {72, Sp::R, Sp::K},    {95, Sp::R, Sp::PA},
                               {101, Sp::PA, Sp::K},  {107, Sp::PA, Sp::PB}, {113, Sp::R, Sp::OA},
                               {119, Sp::PA, Sp::OA}, {125, Sp::OA, Sp::K},  {131, Sp::OA, Sp::OB}};
  for (const IfRow& r : ifs)
    if (id >= r.first && id < r.first + 6) return {Shape::kIf, if_ops[id - r.first], Sp::None, r.a, r.b};
  static const char* while_ops[6] = {"==", "!=", ">", "<", ">=", "<="};
  static const IfRow whiles[9] = {{733, Sp::R, Sp::R},   {739, Sp::R, Sp::PA},  {745, Sp::R, Sp::OA},
                                  {751, Sp::R, Sp::K},   {757, Sp::PA, Sp::PB}, {763, Sp::PA, Sp::OA},
                                  {769, Sp::PA, Sp::K},  {775, Sp::OA, Sp::OB}, {781, Sp::OA, Sp::K}};
  for (const IfRow& r : whiles)
    if (id >= r.first && id < r.first + 6) return {Shape::kWhile, while_ops[id - r.first], Sp::None, r.a, r.b};
  return {};
}

inline int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

// Integer power by repeated multiplication; out of range gives INT_MIN.
inline int32_t Power(int32_t base, int32_t e) {
  if (base == 1 || e == 0) return 1;
  if (base == -1) return (e & 1) ? -1 : 1;
  if (base == 0) return e < 0 ? INT32_MIN : 0;  // 0 to a negative power is infinite
  if (e < 0) return 0;
  long double r = 1;
  for (int32_t i = 0; i < e && std::fabs(r) <= 4294967296.0L; i++) r *= base;
  if (r < -2147483648.0L || r > 2147483647.0L) return INT32_MIN;
  return static_cast<int32_t>(r);
}

// Result of a value operation; nullopt leaves the destination alone.
inline std::optional<int32_t> Eval(const std::string& op, int32_t a, int32_t b) {
  int64_t x = a, y = b;
  int n = static_cast<int>(static_cast<uint32_t>(b) % 32);
  if (op == "+") return Wrap(x + y);
  if (op == "-") return Wrap(x - y);
  if (op == "*") return Wrap(x * y);
  if (op == "/") return b ? std::optional<int32_t>(Wrap(x / y)) : std::nullopt;
  if (op == "%") return b ? std::optional<int32_t>(Wrap(x % y)) : std::nullopt;
  if (op == "&") return a & b;
  if (op == "|") return a | b;
  if (op == "^") return a ^ b;
  if (op == "<<") return Wrap(x * (int64_t{1} << n));
  if (op == ">>") return static_cast<int32_t>(std::floor(static_cast<double>(x) / std::ldexp(1.0, n)));
  if (op == "pow") return Power(a, b);
  if (op == "=") return b;
  if (op == "++") return Wrap(x + 1);
  if (op == "--") return Wrap(x - 1);
  if (op == "neg") return Wrap(-x);
  if (op == "abs") return Wrap(x < 0 ? -x : x);
  if (op == "set") return Wrap(x | (int64_t{1} << n));
  if (op == "clear") return Wrap(x & ~(int64_t{1} << n));
  if (op == "flip") return Wrap(x ^ (int64_t{1} << n));
  return std::nullopt;
}

inline bool Test(const std::string& op, int32_t a, int32_t b) {
  int n = static_cast<int>(static_cast<uint32_t>(b) % 32);
  if (op == "<") return a < b;
  if (op == ">") return a > b;
  if (op == "<=") return a <= b;
  if (op == ">=") return a >= b;
  if (op == "==") return a == b;
  if (op == "!=") return a != b;
  if (op == "mask!=0") return (a & b) != 0;
  if (op == "mask==0") return (a & b) == 0;
  if (op == "bit1") return (static_cast<int64_t>(a) >> n) & 1;
  if (op == "bit0") return !((static_cast<int64_t>(a) >> n) & 1);
  return false;
}

}  // namespace ref
