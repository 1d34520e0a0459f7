// The message log on screen as a person meets it, keys in and frames out
// as the idle tick runs them: only recent lines show, a handful at most,
// none carried into the launcher or a new game; and a game packed from
// the launcher answers F2 and F3 with a line.
#include <cstring>

#include "base/key_state.h"
#include "base/message_log.h"
#include "files/game_files.h"
#include "host/engine_font.h"
#include "host/game_start.h"
#include "host/hotkeys.h"
#include "host/key_input.h"
#include "host/launcher.h"
#include "host/message_overlay.h"
#include "host/screen_frame.h"
#include "render/frame.h"
#include "../game/sample_game_fixture.h"

namespace tolv::test {
namespace {

uint32_t clock_ms = 0;
uint32_t FakeClock() { return clock_ms; }

class HotkeyMessages : public SampleGameTest {
 protected:
  void SetUp() override {
    SampleGameTest::SetUp();
    ASSERT_TRUE(LoadEngineFont());
    message_clock = FakeClock;
    launcher_start_game = StartGameFromLauncher;
    ClearKeyState();
    ClearMessages();
    EnterLauncher();
  }
  void TearDown() override {
    message_clock = saved_clock_;
    launcher_start_game = saved_start_;
    active_screen = 0;
    ClearKeyState();
    FreeEngineFont();
    SampleGameTest::TearDown();
  }
  // Released frames, as the idle tick runs them.
  static void Frames(int n) {
    for (int i = 0; i < n; i++) {
      UpdateKeyState();
      RunScreenFrame(0);
      RunHotkeys();
    }
  }
  static void Key(uint8_t code) {
    QueueKeyEvent(code, true);
    QueueKeyEvent(code, false);
    Frames(1);
  }
  // Text rows the overlay draws over a blank frame.
  static int LinesDrawn() {
    std::memset(FrameStart(), 0, FrameAreaBytes());
    DrawHostOverlays(0);
    int rows = 0;
    for (int32_t y = 0; y < frame_area_height; y++)
      for (int32_t x = 0; x < frame_width; x++)
        if (FrameStart()[size_t(y) * size_t(frame_width) + size_t(x)]) rows = y / 8 + 1;
    return rows;
  }
  static std::string LastMessage() { return MessageLine(kMessageLines - 1); }

  uint32_t (*saved_clock_)() = message_clock;
  void (*saved_start_)(const char*) = launcher_start_game;
};

TEST_F(HotkeyMessages, OnlyRecentLinesShowAndNoneOutlastTheGame) {
  Key(kScanEnter);  // play
  Frames(kStartCountdownFrames);
  ASSERT_EQ(active_screen, kGameScreen);
  Key(kScanF12);
  EXPECT_EQ(LastMessage(), "sh000000.tga");
  EXPECT_EQ(LinesDrawn(), 1);
  clock_ms += kMessageShowMs - 1;
  EXPECT_EQ(LinesDrawn(), 1);
  clock_ms += 1;
  EXPECT_EQ(LinesDrawn(), 0);  // gone from the screen, kept in the log
  EXPECT_EQ(LastMessage(), "sh000000.tga");

  for (int i = 0; i < 30; i++) Key(kScanF9);
  EXPECT_EQ(LastMessage(), "State Saved!");
  EXPECT_EQ(LinesDrawn(), kShownMessages);
  Key(kScanF8);
  ASSERT_EQ(active_screen, kLauncherScreen);
  EXPECT_EQ(LinesDrawn(), 0);
  Key(kScanF12);  // lines of the launcher's own time show
  EXPECT_EQ(LinesDrawn(), 1);
  Key(kScanEnter);  // and stay behind when a game starts
  EXPECT_EQ(LinesDrawn(), 0);
}

TEST_F(HotkeyMessages, PackedGameSaysItHasNoEditors) {
  Key(kScanRight);  // the game's menu: Play, Check for an update, Pack game files
  Key(kScanDown);
  Key(kScanDown);
  Key(kScanEnter);
  ASSERT_EQ(LastMessage(), "Game files packed to game.tvp");
  Key(kScanLeft);
  Key(kScanEnter);
  Frames(kStartCountdownFrames);
  ASSERT_EQ(active_screen, kGameScreen);
  ASSERT_EQ(game_unpacked, 0);
  for (uint8_t k : {kScanF2, kScanF3}) {
    ClearMessages();
    Key(k);
    EXPECT_EQ(LastMessage(), "A packed game has no editors");
    EXPECT_EQ(active_screen, kGameScreen);
  }
}

}  // namespace
}  // namespace tolv::test
