#include "script/random.h"

#include <climits>

#include "space_fixture.h"

namespace tolv {
namespace {

using RandomFillTest = SpaceFixture;

TEST_F(RandomFillTest, SequenceFromSeedZero) {
  random_seed = 0;
  EXPECT_EQ(NextRandom(), 0u);
  EXPECT_EQ(random_seed, 12345u);
  EXPECT_EQ(NextRandom(), 21468u);
  EXPECT_EQ(random_seed, 3554416254u);
  EXPECT_EQ(NextRandom(), 9988u);
  EXPECT_EQ(StepRandomSeed(0), 12345u);

  registers[300] = 0;
  Run({1176, kRegisterBit | 300});
  EXPECT_EQ(random_seed, 0u);
}

TEST_F(RandomFillTest, RangesDrawOnceAndStayInBounds) {
  random_seed = 0;
  NextRandom();  // the second draw of seed 0 is 21468
  Run({1170, 10, 19, kRegisterBit | 300});
  EXPECT_EQ(registers[300], 10 + 21468 % 10);

  // Width 1 always gives low, still advancing the seed.
  uint32_t before = random_seed;
  Run({1170, 5, 5, kRegisterBit | 301});
  EXPECT_EQ(registers[301], 5);
  EXPECT_EQ(random_seed, StepRandomSeed(before));

  // Width 0 (the whole 32-bit range) gives low + v, no division.
  random_seed = 0;
  NextRandom();
  registers[310] = INT_MIN, registers[311] = INT_MAX;
  Run({1173, kRegisterBit | 310, kRegisterBit | 311, kRegisterBit | 302});
  EXPECT_EQ(registers[302], INT_MIN + 21468);

  // Register ranges into player and object destinations.
  registers[310] = -3, registers[311] = 3;
  for (int i = 0; i < 200; i++) {
    Run({1174, kRegisterBit | 310, kRegisterBit | 311, 4});
    Run({1175, kRegisterBit | 310, kRegisterBit | 311, 5});
    Run({1171, static_cast<uint32_t>(-3), 3, 6});
    Run({1172, 100, 102, 7});
    ASSERT_GE(pv[2][4], -3); ASSERT_LE(pv[2][4], 3);
    ASSERT_GE(ov[2][5], -3); ASSERT_LE(ov[2][5], 3);
    ASSERT_GE(pv[2][6], -3); ASSERT_LE(pv[2][6], 3);
    ASSERT_GE(ov[2][7], 100); ASSERT_LE(ov[2][7], 102);
  }
}

TEST_F(RandomFillTest, ClockStoresLowBitsOfInjectedTime) {
  WallClock saved = wall_clock;
  wall_clock = [] { return int64_t{0x1'2345'6789}; };
  Run({1177, kRegisterBit | 300});
  EXPECT_EQ(static_cast<uint32_t>(registers[300]), 0x23456789u);
  SeedRandomFromClock();
  EXPECT_EQ(random_seed, 0x23456789u);
  wall_clock = saved;
}

TEST_F(RandomFillTest, FillRanges) {
  Run({1281, 9, 5, 4});
  EXPECT_EQ(registers[4], 0);
  EXPECT_EQ(registers[5], 0);
  Run({1281, 9, 7, 7});
  EXPECT_EQ(registers[6], 0);
  EXPECT_EQ(registers[7], 9);
  EXPECT_EQ(registers[8], 0);

  // Operands may be registers; the range runs to the last register and ends.
  registers[300] = -1;
  registers[301] = 500;
  registers[302] = -1;  // last index 0xFFFFFFFF
  Run({1281, kRegisterBit | 300, kRegisterBit | 301, kRegisterBit | 302});
  EXPECT_EQ(registers[499], 0);
  for (uint32_t i = 500; i < register_count; i++) ASSERT_EQ(registers[i], -1) << i;

  Run({1282, 4, 40, kRegisterBit | 302});
  EXPECT_EQ(pv[2][39], 0);
  EXPECT_EQ(pv[2][40], 4);
  EXPECT_EQ(pv[2].back(), 4);
  Run({1283, 6, 0, 2});
  EXPECT_EQ(ov[2][2], 6);
  EXPECT_EQ(ov[2][3], 0);

  // A start past the end, and a slot with no record, change nothing.
  std::vector<int32_t> before = State();
  Run({1281, 1, kRegisterBit | 302, kRegisterBit | 302});
  object_operand_d = &void_slot;
  player_operand_d = &void_player;
  Run({1282, 1, 0, kRegisterBit | 302});
  Run({1283, 1, 0, kRegisterBit | 302});
  EXPECT_EQ(State(), before);
}

}  // namespace
}  // namespace tolv
