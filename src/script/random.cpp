// Random number and clock commands.
#include "script/random.h"

#include <ctime>

#include "script/commands.h"
#include "script/operand_kinds.h"
#include "script/operands.h"

namespace tolv {

uint32_t random_seed = 0;
WallClock wall_clock = SystemWallClock;

int64_t SystemWallClock() { return static_cast<int64_t>(std::time(nullptr)); }

void SeedRandomFromClock() { random_seed = static_cast<uint32_t>(wall_clock()); }

int32_t RandomInRange(int32_t low, int32_t high) {
  int32_t v = static_cast<int32_t>(NextRandom());
  int32_t width = static_cast<int32_t>(static_cast<uint32_t>(high) + 1u - static_cast<uint32_t>(low));
  // v is never INT_MIN, so the remainder is defined for every non-zero width.
  int32_t r = width ? v % width : v;
  return static_cast<int32_t>(static_cast<uint32_t>(low) + static_cast<uint32_t>(r));
}

static int32_t ConstRange() {
  return RandomInRange(static_cast<int32_t>(Op(1)), static_cast<int32_t>(Op(2)));
}
static int32_t RegRange() { return RandomInRange(Reg(Op(1)), Reg(Op(2))); }

static void RandomConstToReg() { Reg(Op(3)) = ConstRange(); }
static void RandomConstToPD() { PDVar(Op(3)) = ConstRange(); }
static void RandomConstToOD() { ODVar(Op(3)) = ConstRange(); }
static void RandomRegToReg() { Reg(Op(3)) = RegRange(); }
static void RandomRegToPD() { PDVar(Op(3)) = RegRange(); }
static void RandomRegToOD() { ODVar(Op(3)) = RegRange(); }

static void SetRandomSeed() { random_seed = static_cast<uint32_t>(Reg(Op(1))); }
static void ReadClock() { Reg(Op(1)) = static_cast<int32_t>(static_cast<uint32_t>(wall_clock())); }

using K = Kind;
static const CommandDef kRandom[] = {
    WithKinds(TOLV_ALL(1170, 4, RandomConstToReg, "random"), {K::K, K::K, K::R}),
    WithKinds(TOLV_ALL(1171, 4, RandomConstToPD, "random"), {K::K, K::K, K::PD}),
    WithKinds(TOLV_ALL(1172, 4, RandomConstToOD, "random"), {K::K, K::K, K::OD}),
    WithKinds(TOLV_ALL(1173, 4, RandomRegToReg, "random"), {K::R, K::R, K::R}),
    WithKinds(TOLV_ALL(1174, 4, RandomRegToPD, "random"), {K::R, K::R, K::PD}),
    WithKinds(TOLV_ALL(1175, 4, RandomRegToOD, "random"), {K::R, K::R, K::OD}),
    TOLV_ALL(1176, 2, SetRandomSeed, "set random seed"),
    TOLV_ALL(1177, 2, ReadClock, "read clock"),
};

static const CommandDoc kRandomDocs[] = {
    {"random", CommandArea::kArithmetic, {"lowest value", "highest value", "destination"},
     "Stores a random number from the lowest to the highest value, both included, from the engine's "
     "one random sequence."},
    {"set random seed", CommandArea::kArithmetic, {"register holding the seed"},
     "Restarts the random sequence from the seed, so that the same seed gives the same numbers."},
    {"read clock", CommandArea::kArithmetic, {"register to write"},
     "Stores the wall-clock time in seconds since 1970 (the low 32 bits), e.g. to seed the sequence."},
};
extern const CommandList random_command_list = TOLV_DOCUMENTED(kRandom, kRandomDocs);

}  // namespace tolv
