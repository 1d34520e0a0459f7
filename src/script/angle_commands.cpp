// Angle, polar and component commands. Each variant is an instantiation;
// the variant number inside a family decodes to its operand kinds.
#include "script/operand_kinds.h"
#include "script/vector_math.h"

namespace tolv {

template <int source, Kind dst>
static void GetAngle() {
  KindCell<dst>(Op(1)) = VectorAngle(SourceVector<source>());
}

// Lengths take PA, OA, R, K; angles PA (PB beside a PA length), OA (OB
// beside an OA length), R, K.
constexpr Kind kLengthKinds[4] = {Kind::PA, Kind::OA, Kind::R, Kind::K};
constexpr Kind AngleKind(int length, int angle) {
  constexpr Kind kinds[4] = {Kind::PA, Kind::OA, Kind::R, Kind::K};
  if (angle == length && angle == 0) return Kind::PB;
  if (angle == length && angle == 1) return Kind::OB;
  return kinds[angle];
}

// x is written before the operands are read again for y.
template <Kind len, Kind ang, Kind dst>
static void PolarToXY() {
  KindCell<dst>(Op(3)) = PolarComponent(cos_table, KindValue<len>(Op(1)), KindValue<ang>(Op(2)));
  KindCell<dst>(Op(4)) = PolarComponent(sin_table, KindValue<len>(Op(1)), KindValue<ang>(Op(2)));
}

template <const int16_t* table, Kind len, Kind ang, Kind dst>
static void Component() {
  KindCell<dst>(Op(3)) = PolarComponent(table, KindValue<len>(Op(1)), KindValue<ang>(Op(2)));
}

// Variant i of the angle family: source i % 6, destination i / 6; the
// destination blocks are 28 IDs apart.
static constexpr auto kAngleDefs = FamilyDefs<18>([](auto i) {
  constexpr int n = decltype(i)::value;
  return CommandDef TOLV_ALL(uint16_t(387 + 28 * (n / 6) + n % 6), 2,
                             (GetAngle<n % 6, kDestKinds[n / 6]>), "get angle");
});

// Variant i of a length-and-angle family: destination i / 16, length
// (i / 4) % 4, angle i % 4.
#define TOLV_POLAR_KINDS                                      \
  constexpr int n = decltype(i)::value;                       \
  constexpr Kind len = kLengthKinds[n / 4 % 4];               \
  constexpr Kind ang = AngleKind(n / 4 % 4, n % 4);           \
  constexpr Kind dst = kDestKinds[n / 16];

static constexpr auto kPolarDefs = FamilyDefs<48>([](auto i) {
  TOLV_POLAR_KINDS
  return CommandDef TOLV_ALL(uint16_t(399 + 28 * (n / 16) + n % 16), 5,
                             (PolarToXY<len, ang, dst>), "polar to xy");
});
static constexpr auto kCosDefs = FamilyDefs<48>([](auto i) {
  TOLV_POLAR_KINDS
  return CommandDef TOLV_ALL(uint16_t(853 + n), 4, (Component<cos_table, len, ang, dst>),
                             "cos component");
});
static constexpr auto kSinDefs = FamilyDefs<48>([](auto i) {
  TOLV_POLAR_KINDS
  return CommandDef TOLV_ALL(uint16_t(901 + n), 4, (Component<sin_table, len, ang, dst>),
                             "sin component");
});
#undef TOLV_POLAR_KINDS

static constexpr auto kAngleCommands = JoinDefs(kAngleDefs, kPolarDefs, kCosDefs, kSinDefs);
extern constinit const CommandList angle_command_list = {kAngleCommands.data(), kAngleCommands.size()};

}  // namespace tolv
