#include <string>

#include "base/message_log.h"
#include "script/expand_string_vars.h"
#include "script/string_slots.h"
#include "space_fixture.h"

namespace tolv {
namespace {

class StringCommandsTest : public SpaceFixture {
 protected:
  void SetUp() override {
    SpaceFixture::SetUp();
    ClearMessages();
    FreeStringSlots();
  }
  void TearDown() override {
    FreeStringSlots();
    SpaceFixture::TearDown();
  }
  static std::string Last(int back = 0) { return MessageLine(kMessageLines - 1 - back); }
  static std::string Expand(const std::string& text, bool ok = true) {
    char line[kExpandLineSize];
    EXPECT_EQ(ExpandStringVars(text.c_str(), line), ok) << text;
    return line;
  }
};

TEST_F(StringCommandsTest, ExpandsVariablesOfEveryKind) {
  registers[0] = 3, registers[256 + 4] = -12;
  pa.character_vars[2] = 20, pa.character_vars[9 + 1] = 21;
  pa.character_vars[character_register_count + 3] = 22;
  self.vars[7 + 2] = 23;
  EXPECT_EQ(Expand("Lives: !!!r0!"), "Lives: !3");
  EXPECT_EQ(Expand("!R4!,!u4!,!C2!,!c1!,!A3!,!e2!!!"), "-12,-12,20,21,22,23!");
  // The line is cut at 255 bytes, numbers as text.
  registers[0] = 123456;
  EXPECT_EQ(Expand(std::string(250, 'a') + "!r0!!r0!"), std::string(250, 'a') + "12345");
}

TEST_F(StringCommandsTest, ExpansionFailures) {
  Expand("Score !r0", false);
  EXPECT_EQ(Last(1), "Expected a closing '!' to terminate vari");
  EXPECT_EQ(Last(), "Score !r0");
  Expand("x !zz! y", false);
  EXPECT_EQ(Last(2), "zz");
  EXPECT_EQ(Last(1), "Cannot determine variable type (255)");
  // A name too long for the line fails like an unterminated one.
  Expand("!" + std::string(255, 'r') + "!", false);
  EXPECT_EQ(Last(1), "Expected a closing '!' to terminate vari");
}

TEST_F(StringCommandsTest, ShowLogsOnlyWhatExpands) {
  AppendStringSlot("Lives: !!!r0!");
  AppendStringSlot("broken !r0");
  registers[0] = 3, registers[300] = 0x10000;  // slot number: the low 16 bits
  Run({1520, kRegisterBit | 300});
  EXPECT_EQ(Last(), "Lives: !3");
  ClearMessages();
  Run({1520, 1});
  EXPECT_EQ(Last(), "broken !r0");
  EXPECT_EQ(Last(2), "");
  Run({1520, 2});
  EXPECT_EQ(Last(), "broken !r0");
}

TEST_F(StringCommandsTest, SlotBytesAndSwaps) {
  const std::string full(kStringSlotCapacity, 'x');
  ResizeStringSlots(2);
  SetStringSlot(0, "Hi\xff");
  SetStringSlot(1, (full + "yy").c_str());
  EXPECT_EQ(StringSlotText(1), full);

  // 1471: op3 gives the destination register, directly or through a register.
  registers[300] = 310;
  Check({1471, 0, 2, kRegisterBit | 300}, {{Kind::R, 310, 255}});
  Check({1471, 0, 1, 311}, {{Kind::R, 311, 'i'}});
  registers[311] = 7;
  Check({1471, 5, 0, 311}, {{Kind::R, 311, 0}});
  Check({1471, 0, 256, 311}, {{Kind::R, 311, 0}});

  Run({1472, 0, 1, 0x141});  // the low byte, 'A'
  Run({1472, 0, 256, 'B'});
  Run({1472, 9, 0, 'B'});
  EXPECT_STREQ(StringSlotText(0), "HA\xff");

  // Whole texts of any lengths exchange.
  Run({1481, 0, 1});
  EXPECT_EQ(StringSlotText(0), full);
  EXPECT_STREQ(StringSlotText(1), "HA\xff");
  Run({1481, 1, 1});
  Run({1481, 1, 7});
  EXPECT_STREQ(StringSlotText(1), "HA\xff");
}

}  // namespace
}  // namespace tolv
