// Row colour cycling by hold frames, on the bank and palette set that
// registers 1 and 51-53 select.
#include <gtest/gtest.h>

#include "render/palette_effects.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/palette.h"

namespace tolv::test {
namespace {

PaletteRow Row(std::vector<std::pair<uint8_t, uint8_t>> red_hold) {
  PaletteRow r;
  for (auto [red, hold] : red_hold) r.colours.push_back(PaletteColour{red, red, red, hold});
  return r;
}

class PaletteEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    AllocRegisters(0);
    ResetRegisters();
    ResetPaletteBanks();
    palette_sets.assign(2, PaletteSet{});
    std::vector<PaletteRow>& rows = palette_sets[1].rows;
    rows.assign(65, PaletteRow{});
    rows[0] = Row({{10, 2}, {20, 0}, {30, 1}});
    rows[1] = Row({{99, 1}});  // one colour: nothing to cycle
    rows[64] = Row({{1, 1}, {2, 1}});  // drives entry 128
  }
  void TearDown() override {
    palette_sets.clear();
    ResetPaletteBanks();
  }
  // Red of entries 0, 1 and 128 of a bank after each of n steps.
  static std::vector<std::vector<int>> Steps(int n, int bank) {
    std::vector<std::vector<int>> seen;
    for (int i = 0; i < n; i++) {
      RunPaletteEffects();
      const auto& rgb = palette_banks[bank].rgb;
      seen.push_back({rgb[0][0], rgb[1][0], rgb[128][0]});
    }
    return seen;
  }
};

TEST_F(PaletteEffects, RowsCycleByHoldFramesInTheCurrentBank) {
  SelectPaletteBank(0);
  SelectPaletteSet(1);  // loads each row's current colour
  EXPECT_EQ(registers[51], 1);
  EXPECT_EQ(registers[52], 1);
  EXPECT_EQ(Steps(6, 0), (std::vector<std::vector<int>>{
                             {10, 99, 2}, {20, 99, 1}, {30, 99, 2}, {10, 99, 1}, {10, 99, 2}, {20, 99, 1}}));
  EXPECT_EQ(palette_banks[1].rgb[0][0], 0);
}

TEST_F(PaletteEffects, BankRegistersChooseTheSetThatCycles) {
  registers[kRegView] = 1;
  SelectPaletteBank(1);  // register 53 still names set 0: nothing cycles
  EXPECT_EQ(registers[51], 0);
  Steps(3, 1);
  EXPECT_EQ(palette_banks[1].rgb[128][0], 0);
  SelectPaletteSet(1);
  EXPECT_EQ(registers[53], 1);
  EXPECT_EQ(registers[52], 0);
  EXPECT_EQ(Steps(1, 1)[0][2], 2);
  EXPECT_EQ(palette_banks[0].rgb[128][0], 0);
  SelectPaletteBank(0);
  EXPECT_EQ(registers[51], 0);
  registers[51] = 7;  // no such set
  Steps(2, 0);
  registers[51] = -1;
  Steps(2, 0);
  EXPECT_EQ(palette_banks[0].rgb[128][0], 0);
}

}  // namespace
}  // namespace tolv::test
