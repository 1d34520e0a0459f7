#include <string>

#include "host/message_log.h"
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
  static std::string Expand(const char* text, bool* ok = nullptr) {
    char line[kExpandLineSize];
    bool r = ExpandStringVars(text, line);
    if (ok) *ok = r;
    return line;
  }
};

TEST_F(StringCommandsTest, ExpandsVariablesOfEveryKind) {
  registers[0] = 3;
  EXPECT_EQ(Expand("Lives: !!!r0!"), "Lives: !3");
  registers[256 + 4] = -12;
  pa.character_vars[2] = 20;                             // C2
  pa.character_vars[9 + 1] = 21;                         // c1
  pa.character_vars[character_register_count + 3] = 22;  // A3
  self.vars[7 + 2] = 23;                                 // e2
  EXPECT_EQ(Expand("!R4!,!u4!,!C2!,!c1!,!A3!,!e2!!!"), "-12,-12,20,21,22,23!");
}

TEST_F(StringCommandsTest, ExpansionFailures) {
  bool ok = true;
  Expand("Score !r0", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Last(1), "Expected a closing '!' to terminate vari");
  EXPECT_EQ(Last(), "Score !r0");

  Expand("x !zz! y", &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Last(2), "zz");
  EXPECT_EQ(Last(1), "Cannot determine variable type (255)");

  // A name that could not fit the line fails like an unterminated one.
  std::string text = "!" + std::string(255, 'r') + "!";
  Expand(text.c_str(), &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Last(1), "Expected a closing '!' to terminate vari");

  // The output is cut at 255 bytes, with numbers as with text.
  registers[0] = 123456;
  text = std::string(250, 'a') + "!r0!!r0!";
  std::string out = Expand(text.c_str(), &ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(out, std::string(250, 'a') + "12345");
}

TEST_F(StringCommandsTest, ShowCommandLogsOnlyWhatExpands) {
  AppendStringSlot("Lives: !!!r0!");
  AppendStringSlot("broken !r0");
  registers[0] = 3;
  registers[300] = 0x10000;  // the slot number is the low 16 bits
  Run({1520, kRegisterBit | 300});
  EXPECT_EQ(Last(), "Lives: !3");
  ClearMessages();
  Run({1520, 1});
  EXPECT_EQ(Last(), "broken !r0");
  EXPECT_EQ(Last(2), "");
  ClearMessages();
  Run({1520, 2});
  EXPECT_EQ(Last(), "");
}

TEST_F(StringCommandsTest, SlotBytesAndSwaps) {
  ResizeStringSlots(2);
  SetStringSlot(0, "Hi\xff");
  SetStringSlot(1, std::string(300, 'x').c_str());
  EXPECT_EQ(std::string(StringSlotText(1)), std::string(kStringSlotCapacity, 'x'));

  // 1471: op3 names the destination register, directly or through a register.
  registers[300] = 310;
  Run({1471, 0, 2, kRegisterBit | 300});
  EXPECT_EQ(registers[310], 255);
  Run({1471, 0, 1, 311});
  EXPECT_EQ(registers[311], 'i');
  registers[311] = 7;
  Run({1471, 5, 0, 311});    // no slot 5
  EXPECT_EQ(registers[311], 0);
  registers[311] = 7;
  Run({1471, 0, 256, 311});  // past the slot
  EXPECT_EQ(registers[311], 0);

  Run({1472, 0, 1, 0x141});  // low byte 'A'
  EXPECT_STREQ(StringSlotText(0), "HA\xff");
  std::vector<int32_t> before = State();
  Run({1472, 0, 256, 'B'});
  Run({1472, 9, 0, 'B'});
  EXPECT_STREQ(StringSlotText(0), "HA\xff");
  EXPECT_EQ(State(), before);

  // Whole texts of any lengths exchange; twice restores them.
  Run({1481, 0, 1});
  EXPECT_EQ(std::string(StringSlotText(0)), std::string(kStringSlotCapacity, 'x'));
  EXPECT_STREQ(StringSlotText(1), "HA\xff");
  Run({1481, 1, 0});
  EXPECT_STREQ(StringSlotText(0), "HA\xff");
  Run({1481, 0, 0});
  Run({1481, 0, 7});
  EXPECT_STREQ(StringSlotText(0), "HA\xff");
}

}  // namespace
}  // namespace tolv
