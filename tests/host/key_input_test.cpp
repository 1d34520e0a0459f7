// Key-state rows over scripted key events, the key maps into pad entries,
// and the X key translation.
#include "host/key_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/key_state.h"
#include "compiler/compile_scopes.h"
#include "game/key_maps.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {
namespace {

constexpr uint8_t kA = 30, kB = 48;

struct KeyFrame {
  std::vector<std::pair<uint8_t, bool>> events;  // this frame's presses and releases
  // Rows of key A after the frame: pressed, held, pulse, countdown.
  uint8_t pressed, held, pulse, countdown;
};

class KeyInput : public testing::Test {
 protected:
  void SetUp() override {
    AllocRegisters(0);
    ResetRegisters();
    Reg(kRegRepeatDelay) = 3;
    Reg(kRegRepeatInterval) = 2;
    ClearKeyState();
  }
  void TearDown() override {
    ResetRegisters();
    FreeKeyMaps();
    ClearKeyState();
  }
};

TEST_F(KeyInput, RowsFollowPressHoldRepeatAndRelease) {
  const KeyFrame frames[] = {
      {{}, 0, 0, 0, 0},
      {{{kA, true}}, 1, 1, 1, 3},   // press: every row, countdown from register 245
      {{{kA, true}}, 0, 1, 0, 2},   // a window's own repeat of a held key changes nothing
      {{}, 0, 1, 0, 1},
      {{}, 0, 1, 1, 2},             // countdown out: a pulse, again from register 246
      {{}, 0, 1, 0, 1},
      {{}, 0, 1, 1, 2},
      {{{kA, false}}, 0, 0, 0, 0},  // release
      {{}, 0, 0, 0, 0},
      {{{kA, true}, {kA, false}}, 1, 0, 1, 0},  // down and up within one frame: seen pressed
      {{{kA, true}, {kA, false}, {kA, true}}, 1, 1, 1, 3},
  };
  int n = 0;
  for (const KeyFrame& f : frames) {
    for (auto [code, down] : f.events) QueueKeyEvent(code, down);
    UpdateKeyState();
    SCOPED_TRACE(n++);
    EXPECT_EQ(key_state[kA], f.pressed);
    EXPECT_EQ(key_state[kHeldRow + kA], f.held);
    EXPECT_EQ(key_state[kPulseRow + kA], f.pulse);
    EXPECT_EQ(key_state[kCountdownRow + kA], f.countdown);
    EXPECT_EQ(key_state[kB] | key_state[kHeldRow + kB] | key_state[kPulseRow + kB], 0);  // other keys untouched
  }
}

TEST_F(KeyInput, OutOfRangeCodesAndAFullQueueAreDropped) {
  QueueKeyEvent(0, true);
  QueueKeyEvent(200, true);
  for (int i = 0; i < 300; i++) QueueKeyEvent(uint8_t(i < 256 ? kA : kB), i % 2 == 0);
  UpdateKeyState();
  EXPECT_EQ(key_state[0], 0);
  EXPECT_EQ(key_state[kA], 1);
  EXPECT_EQ(key_state[kB], 0);  // past the 256 the queue holds
  Reg(kRegRepeatDelay) = 0;       // a countdown of at least one frame
  QueueKeyEvent(kB, true);
  UpdateKeyState();
  EXPECT_EQ(key_state[kCountdownRow + kB], 1);
}

TEST_F(KeyInput, KeyMapsFillEachPlayersPadRows) {
  key_map_count = 2;
  key_map_entry_count = 3;
  pad_stride = 9;
  pad_row_offset = 3;
  static uint8_t maps[] = {kA, kB, kUnboundKey, kB, 72, 130};
  key_maps = maps;
  QueueKeyEvent(kA, true);
  UpdateKeyState();
  QueueKeyEvent(kB, true);
  UpdateKeyState();
  std::fill(key_state + kPadBytes, key_state + kPadBytes + 18, 0xEE);
  ApplyKeyMaps();
  // Map 0: A held; B pressed, held and pulsing; unbound entry 0.
  const uint8_t want[18] = {0, 1, 0, 1, 1, 0, 0, 1, 0,
                            // map 1: B, the unpressed 72, a code out of range
                            1, 0, 0, 1, 0, 0, 1, 0, 0};
  for (int i = 0; i < 18; i++) EXPECT_EQ(key_state[kPadBytes + i], want[i]) << i;
  key_maps = nullptr;
  key_map_count = key_map_entry_count = 0;
}

TEST(KeyTranslation, XKeysToScanCodes) {
  struct Case {
    uint32_t sym, code;
    uint8_t scan;
  } cases[] = {
      {0xff1b, 9, 1},     // Escape
      {'a', 38, 30},      {'A', 38, 30},  {'q', 24, 16}, {'z', 52, 44}, {'1', 10, 2}, {'0', 19, 11},
      {0xff51, 113, 75},  // Left
      {0xff52, 111, 72},  // Up
      {0xff53, 114, 77},  // Right
      {0xff54, 116, 80},  // Down
      {0x0020, 65, 57},   // space
      {0xffe3, 37, 29},   // Left Ctrl
      {0xffbf, 68, 60},   // F2
      {0xffc5, 74, 66},   // F8
      {0xffc9, 96, 88},   // F12
      {0x0021, 10, 2},    // '!' on the 1 key: by its key code
      {0x1234, 106, 53},  // an unnamed extended key: keypad '/' (evdev 98)
      {0x1234, 5, 0},     // nothing either way
      {0x1234, 300, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ScanCodeForKey(c.sym, c.code), c.scan) << std::hex << c.sym;
}

}  // namespace
}  // namespace tolv::test
