// The message log on screen, keys in and frames out as the idle tick runs
// them: only recent lines show, a handful at most, none carried into the
// launcher or a new game; a game packed from the launcher answers F2 and
// F3 with a line.
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
#include "objects/draw_order.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/registers.h"
#include "../game/sample_game_fixture.h"
#include "../base/message_lines.h"

namespace tolv::test {
namespace {

uint32_t clock_ms = 0;

class HotkeyMessages : public SampleGameTest {
 protected:
  void SetUp() override {
    SampleGameTest::SetUp();
    ASSERT_TRUE(LoadEngineFont());
    message_clock = [] { return clock_ms; };
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
  static void Frames(int n, uint8_t key = kScanNone) {
    if (key != kScanNone) QueueKeyEvent(key, true), QueueKeyEvent(key, false);
    for (int i = 0; i < n; i++) {
      UpdateKeyState();
      RunScreenFrame(0);
      RunHotkeys();
    }
  }
  static void Key(uint8_t code) { Frames(1, code); }
  // Text rows the overlay draws over a blank frame.
  static int LinesDrawn() {
    std::memset(FrameStart(), 0, FrameAreaBytes());
    DrawHostOverlays(0);
    int rows = 0;
    for (size_t i = 0; i < FrameAreaBytes(); i++)
      if (FrameStart()[i]) rows = int(i / size_t(frame_width)) / 8 + 1;
    return rows;
  }

  uint32_t (*saved_clock_)() = message_clock;
  void (*saved_start_)(const char*) = launcher_start_game;
};

TEST_F(HotkeyMessages, OnlyRecentLinesShowAndNoneOutlastTheGame) {
  Key(kScanEnter);  // play
  Frames(kStartCountdownFrames);
  Key(kScanF12);
  EXPECT_EQ(LinesDrawn(), 1);
  clock_ms += kMessageShowMs - 1;
  EXPECT_EQ(LinesDrawn(), 1);
  clock_ms += 1;
  EXPECT_EQ(LinesDrawn(), 0);
  EXPECT_EQ(LastMessage(), "sh000000.tga");  // kept in the log
  for (int i = 0; i < 30; i++) Key(kScanF9);
  EXPECT_EQ(LinesDrawn(), kShownMessages);
  Key(kScanF8);
  ASSERT_EQ(active_screen, kLauncherScreen);
  EXPECT_EQ(ActiveObjectCount(), 0u);  // the game unloaded
  EXPECT_EQ(Reg(kRegLoadedZone), 255);
  EXPECT_EQ(LinesDrawn(), 0);
  Key(kScanF12);  // the launcher's own lines show
  EXPECT_EQ(LinesDrawn(), 1);
  Key(kScanEnter);  // and stay behind when a game starts
  EXPECT_EQ(LinesDrawn(), 0);
}

TEST_F(HotkeyMessages, PackedGameSaysItHasNoEditors) {
  for (uint8_t k : {kScanRight, kScanDown, kScanDown, kScanEnter, kScanLeft, kScanEnter}) Key(k);  // pack, play
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
