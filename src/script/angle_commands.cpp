// Angle, polar and component commands. Each variant is an instantiation;
// the variant number inside a family decodes to its operand kinds.
#include <iterator>

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

// Each source measures something else, so each has its name.
constexpr const char* kAngleNames[6] = {
    "angle player A to player B", "angle player A to object A",         "angle object A to player A",
    "angle object A to object B", "angle of player A variables 8 and 9", "angle of object A words 9 and 10"};

// Variant i of the angle family: source i % 6, destination i / 6; the
// destination blocks are 28 IDs apart.
static constexpr auto kAngleDefs = FamilyDefs<18>([](auto i) {
  constexpr int n = decltype(i)::value;
  return WithKinds(CommandDef TOLV_ALL(uint16_t(387 + 28 * (n / 6) + n % 6), 2,
                                       (GetAngle<n % 6, kDestKinds[n / 6]>), kAngleNames[n % 6]),
                   {kDestKinds[n / 6]});
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
  return WithKinds(CommandDef TOLV_ALL(uint16_t(399 + 28 * (n / 16) + n % 16), 5,
                                       (PolarToXY<len, ang, dst>), "polar to xy"),
                   {len, ang, dst, dst});
});
static constexpr auto kCosDefs = FamilyDefs<48>([](auto i) {
  TOLV_POLAR_KINDS
  return WithKinds(CommandDef TOLV_ALL(uint16_t(853 + n), 4, (Component<cos_table, len, ang, dst>),
                                       "cos component"),
                   {len, ang, dst});
});
static constexpr auto kSinDefs = FamilyDefs<48>([](auto i) {
  TOLV_POLAR_KINDS
  return WithKinds(CommandDef TOLV_ALL(uint16_t(901 + n), 4, (Component<sin_table, len, ang, dst>),
                                       "sin component"),
                   {len, ang, dst});
});
#undef TOLV_POLAR_KINDS

static constexpr auto kAngleCommands = JoinDefs(kAngleDefs, kPolarDefs, kCosDefs, kSinDefs);

#define TOLV_ANGLE(name, text) {name, CommandArea::kArithmetic, {"destination"}, text}
static const CommandDoc kAngleDocs[] = {
    TOLV_ANGLE("angle player A to player B",
               "Stores the direction from the position of player slot A's player to player slot B's (player "
               "variables 3 and 4): 0 right, 64 down, 128 left, 192 up, 256 steps a turn. The same position "
               "gives 64."),
    TOLV_ANGLE("angle player A to object A",
               "Stores the direction from the position of player slot A's player to object slot A's object "
               "(its X and Y), as `#387` measures it."),
    TOLV_ANGLE("angle object A to player A",
               "Stores the direction from the position of object slot A's object to player slot A's player, as "
               "`#387` measures it."),
    TOLV_ANGLE("angle object A to object B",
               "Stores the direction from the position of object slot A's object to object slot B's, as `#387` "
               "measures it."),
    TOLV_ANGLE("angle of player A variables 8 and 9",
               "Stores the direction of the vector whose x is player variable 8 and whose y is player variable "
               "9 of player slot A's player, as `#387` measures it."),
    TOLV_ANGLE("angle of object A words 9 and 10",
               "Stores the direction of the vector whose x is word 9 (`e2`) and whose y is word 10 (`e3`) of "
               "object slot A's object, as `#387` measures it."),
    {"polar to xy", CommandArea::kArithmetic, {"length", "angle", "x destination", "y destination"},
     "Stores the x and y parts of a length at an angle (0 right, 64 down, 256 steps a turn), rounded down: x "
     "is length * cos(angle), y is length * sin(angle). An angle outside 0 to 255 is taken modulo 256; x is "
     "stored before y is worked out, so an x destination that is also an operand changes y."},
    {"cos component", CommandArea::kArithmetic, {"length", "angle", "destination"},
     "Stores the x part of a length at an angle, as `polar to xy` works it out."},
    {"sin component", CommandArea::kArithmetic, {"length", "angle", "destination"},
     "Stores the y part of a length at an angle, as `polar to xy` works it out."},
};
#undef TOLV_ANGLE
extern constinit const CommandList angle_command_list = {kAngleCommands.data(), kAngleCommands.size(), kAngleDocs,
                                                         std::size(kAngleDocs)};

}  // namespace tolv
