#include <climits>

#include "space_fixture.h"

namespace tolv {
namespace {

using ArrayCommandsTest = SpaceFixture;

TEST_F(ArrayCommandsTest, ReadsAndWritesAroundTheBase) {
  registers[305] = 42;
  registers[5] = 5;
  Run({668, 300, kRegisterBit | 5, kRegisterBit | 400});
  EXPECT_EQ(registers[400], 42);

  registers[5] = 0;
  Run({698, 7, 300, kRegisterBit | 5});
  EXPECT_EQ(registers[300], 7);

  // Negative index: cells before the base; a base with the register flag
  // addresses the same cells.
  registers[5] = -2;
  registers[298] = 9;
  Run({668, kRegisterBit | 300, kRegisterBit | 5, kRegisterBit | 401});
  EXPECT_EQ(registers[401], 9);

  // The destination may be a cell of the array: read before written.
  registers[5] = 0;
  registers[300] = 11;
  Run({668, 300, kRegisterBit | 5, kRegisterBit | 300});
  EXPECT_EQ(registers[300], 11);

  // base + index wraps in 32 bits: base 10, index -2 is cell 8.
  pa.character_vars[3] = -2;
  pb.character_vars[8] = 77;
  Run({672, 10, 3, kRegisterBit | 402});
  EXPECT_EQ(registers[402], 77);
}

TEST_F(ArrayCommandsTest, IndexesOutsideTheSpace) {
  std::vector<int32_t> before = State();
  for (int32_t index : {-301, 1000, INT_MAX - 1000, INT_MIN + 1000}) {
    registers[5] = index;
    registers[401] = 1;
    Run({668, 300, kRegisterBit | 5, kRegisterBit | 401});
    EXPECT_EQ(registers[401], 0) << index;
    registers[401] = 0;
    Run({698, 7, 300, kRegisterBit | 5});   // dropped
    Run({722, 7, 0, kRegisterBit | 5});     // object space, dropped
    Run({710, 7, 0, kRegisterBit | 5});     // player space, dropped
  }
  registers[5] = 0;
  EXPECT_EQ(State(), before);
  // The cell number keeps 30 bits: base 300 plus 2^30 or 2^31 is cell 300.
  registers[5] = 1 << 30;
  Run({698, 8, 300, kRegisterBit | 5});
  EXPECT_EQ(registers[300], 8);
  registers[5] = INT_MIN;
  Run({668, 300, kRegisterBit | 5, kRegisterBit | 401});
  EXPECT_EQ(registers[401], 8);
}

// Reference model: the ID tables row by row.
constexpr Kind kReadSpace[3] = {Kind::R, Kind::PB, Kind::OB};
constexpr Kind kReadIndex[3] = {Kind::R, Kind::PA, Kind::OA};
constexpr Kind kReadDst[3] = {Kind::R, Kind::PD, Kind::OD};
constexpr Kind kWriteSpace[3] = {Kind::R, Kind::PD, Kind::OD};
constexpr Kind kWriteIndex[3] = {Kind::R, Kind::PB, Kind::OB};
constexpr Kind kWriteSrc[4] = {Kind::R, Kind::PA, Kind::OA, Kind::K};

TEST_F(ArrayCommandsTest, EveryVariantUsesItsSpaces) {
  for (uint32_t i = 0; i < register_count; i++) registers[i] = 1000 + i;
  for (int p = 0; p < 3; p++) for (size_t i = 0; i < pv[p].size(); i++) pv[p][i] = 2000 + 100 * p + i;
  for (int o = 0; o < 4; o++) for (size_t i = 0; i < ov[o].size(); i++) ov[o][i] = 3000 + 100 * o + i;
  uint16_t id = 668;
  for (Kind dst : kReadDst)
    for (Kind space : kReadSpace)
      for (Kind index : kReadIndex) {
        At(index, 4) = 3;  // cell 6 + 3 = 9
        Check({id, 6, Word(index, 4), Word(dst, 15)}, {{dst, 15, At(space, 9)}});
        id++;
      }
  EXPECT_EQ(id, 695);
  for (Kind space : kWriteSpace)
    for (Kind index : kWriteIndex)
      for (Kind src : kWriteSrc) {
        At(index, 4) = -2;  // cell 12 - 2 = 10
        uint32_t sw = src == Kind::K ? 0xABCD : Word(src, 5);
        Check({id, sw, 12, Word(index, 4)}, {{space, 10, Value(src, sw)}});
        id++;
      }
  EXPECT_EQ(id, 731);
}

}  // namespace
}  // namespace tolv
