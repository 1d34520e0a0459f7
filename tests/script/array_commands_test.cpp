#include <climits>

#include "space_fixture.h"

namespace tolv {
namespace {

using ArrayCommands = SpaceFixture;

constexpr uint32_t R5 = kRegisterBit | 5;

TEST_F(ArrayCommands, ArrayCellsAroundTheBase) {
  registers[5] = 5, registers[305] = 42;
  Check({668, 300, R5, kRegisterBit | 400}, {{Kind::R, 400, 42}});
  Check({668, 300, R5, R5}, {{Kind::R, 5, 42}});  // index read before written
  registers[5] = 0;
  Check({698, 7, 300, R5}, {{Kind::R, 300, 7}});
  // Negative index; the register flag on the base changes nothing.
  registers[5] = -2, registers[298] = 9;
  Check({668, kRegisterBit | 300, R5, kRegisterBit | 401}, {{Kind::R, 401, 9}});
  pa.character_vars[3] = -2, pb.character_vars[8] = 77;
  Check({672, 10, 3, kRegisterBit | 402}, {{Kind::R, 402, 77}});

  // Outside the space: reads give 0, writes are dropped.
  registers[401] = 1;
  for (int32_t index : {-301, 1000, INT_MAX - 1000, INT_MIN + 1000}) {
    registers[5] = index;
    Check({668, 300, R5, kRegisterBit | 401}, {{Kind::R, 401, 0}});
    Check({698, 7, 300, R5}, {});
    Check({710, 7, 0, R5}, {});
    Check({722, 7, 0, R5}, {});
  }
  // The cell number keeps 30 bits: base 300 plus 2^30 or 2^31 is cell 300.
  registers[5] = 1 << 30;
  Check({698, 8, 300, R5}, {{Kind::R, 300, 8}});
  registers[5] = INT_MIN, registers[300] = 8;
  Check({668, 300, R5, kRegisterBit | 401}, {{Kind::R, 401, 8}});
}

// Reference model: the ID tables row by row.
constexpr Kind kReadSpace[3] = {Kind::R, Kind::PB, Kind::OB};
constexpr Kind kReadIndex[3] = {Kind::R, Kind::PA, Kind::OA};
constexpr Kind kWriteSpace[3] = {Kind::R, Kind::PD, Kind::OD};
constexpr Kind kWriteIndex[3] = {Kind::R, Kind::PB, Kind::OB};
constexpr Kind kWriteSrc[4] = {Kind::R, Kind::PA, Kind::OA, Kind::K};

TEST_F(ArrayCommands, EveryArrayVariant) {
  Scramble();
  uint16_t id = 668;
  for (Kind dst : kWriteSpace)
    for (Kind space : kReadSpace)
      for (Kind index : kReadIndex) {
        At(index, 4) = 3;  // cell 6 + 3
        Check({id++, 6, Word(index, 4), Word(dst, 15)}, {{dst, 15, At(space, 9)}});
      }
  for (Kind space : kWriteSpace)
    for (Kind index : kWriteIndex)
      for (Kind src : kWriteSrc) {
        At(index, 4) = -2;  // cell 12 - 2
        uint32_t sw = src == Kind::K ? 0xABCD : Word(src, 5);
        Check({id++, sw, 12, Word(index, 4)}, {{space, 10, Value(src, sw)}});
      }
  EXPECT_EQ(id, 731);
}

}  // namespace
}  // namespace tolv
