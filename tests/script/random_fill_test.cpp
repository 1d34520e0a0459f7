#include "script/random.h"

#include <climits>

#include "space_fixture.h"

namespace tolv {
namespace {

using RandomFillCommands = SpaceFixture;

constexpr uint32_t R300 = kRegisterBit | 300, R301 = kRegisterBit | 301, R302 = kRegisterBit | 302;

TEST_F(RandomFillCommands, RandomSequenceAndRanges) {
  registers[300] = 0;
  Run({1176, R300});
  EXPECT_EQ(NextRandom(), 0u);
  EXPECT_EQ(random_seed, 12345u);
  EXPECT_EQ(NextRandom(), 21468u);
  EXPECT_EQ(random_seed, 3554416254u);
  EXPECT_EQ(NextRandom(), 9988u);

  random_seed = 12345;  // next draw 21468
  Run({1170, 10, 19, R302});
  EXPECT_EQ(registers[302], 10 + 21468 % 10);
  uint32_t before = random_seed;
  Run({1170, 5, 5, R302});
  EXPECT_EQ(registers[302], 5);
  EXPECT_EQ(random_seed, StepRandomSeed(before));

  // Width 0 (the whole 32-bit range) gives low + v, no division.
  random_seed = 12345;
  registers[300] = INT_MIN, registers[301] = INT_MAX;
  Run({1173, R300, R301, R302});
  EXPECT_EQ(registers[302], INT_MIN + 21468);

  registers[300] = -3, registers[301] = 3;
  for (int i = 0; i < 100; i++) {
    Run({1174, R300, R301, 4});
    Run({1175, R300, R301, 5});
    Run({1171, uint32_t(-3), 3, 6});
    Run({1172, 100, 102, 7});
    for (int32_t v : {pv[2][4], ov[2][5], pv[2][6], ov[2][7] - 103}) ASSERT_TRUE(v >= -3 && v <= 3);
  }
}

TEST_F(RandomFillCommands, ClockStoresLowBitsOfInjectedTime) {
  WallClock saved = wall_clock;
  wall_clock = [] { return int64_t{0x1'2345'6789}; };
  Run({1177, R300});
  EXPECT_EQ(uint32_t(registers[300]), 0x23456789u);
  SeedRandomFromClock();
  EXPECT_EQ(random_seed, 0x23456789u);
  wall_clock = saved;
}

TEST_F(RandomFillCommands, FillRanges) {
  Check({1281, 9, 5, 4}, {});
  Check({1281, 9, 7, 7}, {{Kind::R, 7, 9}});
  Check({1283, 6, 0, 1}, {{Kind::OD, 0, 6}, {Kind::OD, 1, 6}});

  // A last index of 0xFFFFFFFF runs to the last cell and ends.
  registers[300] = -1, registers[301] = 500, registers[302] = -1;
  Run({1281, R300, R301, R302});
  EXPECT_EQ(registers[499], 0);
  for (uint32_t i = 500; i < register_count; i++) ASSERT_EQ(registers[i], -1) << i;
  Run({1282, 4, 40, R302});
  EXPECT_EQ(pv[2][39], 0);
  EXPECT_EQ(pv[2].back(), 4);

  // A start past the end, and slots with no record, change nothing.
  Check({1281, 1, R302, R302}, {});
  object_operand_d = &void_slot;
  player_operand_d = &void_player;
  Check({1282, 1, 0, R302}, {});
  Check({1283, 1, 0, R302}, {});
}

}  // namespace
}  // namespace tolv
