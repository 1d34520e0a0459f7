// The screen dispatcher by active_screen, the start countdown, frame skip
// with the drawing slots swapped and restored, the overlays, screenshots
// and the hotkeys.
#include "host/screen_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/key_state.h"
#include "base/message_log.h"
#include "host/frame_pacing.h"
#include "host/game_start.h"
#include "host/hotkeys.h"
#include "host/key_input.h"
#include "host/engine_font.h"
#include "host/message_overlay.h"
#include "host/screenshot.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/screen_mode.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/palette.h"
#include "../files/game_test_util.h"

namespace tolv::test {
namespace {

int game_frames = 0, level_starts = 0, launcher_frames = 0;
bool skipping_seen = false;

// Whether every tile, sprite, clipped and plane slot holds its skip routine.
bool AllSkipping() {
  const DrawRoutines& d = draw_routines;
  bool all = d.draw_tile_opaque == SkipTileDraw && d.draw_tile_transparent == SkipTileDraw &&
             d.draw_tile_opaque_clipped == SkipClippedTileDraw && d.draw_tile_transparent_clipped == SkipClippedTileDraw;
  for (int i = 0; i < 4; i++)
    all = all && d.draw_sprite[i] == SkipSpriteDraw && d.draw_sprite_clipped[i] == SkipClippedSpriteDraw;
  for (int t = 0; t < kPlaneTypes; t++) all = all && d.draw_plane[t] == SkipPlaneDraw && d.draw_plane_opaque[t] == SkipPlaneDraw;
  return all;
}

void CountGameFrame() {
  game_frames++;
  skipping_seen = AllSkipping();
}
void CountLevelStart() {
  level_starts++;
  Reg(kRegLevelStarted) = 1;
}
void CountLauncherFrame() { launcher_frames++; }

class ScreenFrame : public GameDirTest {
 protected:
  void SetUp() override {
    GameDirTest::SetUp();
    AllocRegisters(0);
    ResetRegisters();
    SetScreenMode(0);
    ClearKeyState();
    ClearMessages();
    game_frames = level_starts = launcher_frames = 0;
    run_game_frame = CountGameFrame;
    start_level = CountLevelStart;
    launcher_frame = CountLauncherFrame;
    active_screen = kGameScreen;
  }
  void TearDown() override {
    run_game_frame = saved_game_frame_;
    start_level = saved_start_level_;
    launcher_frame = saved_launcher_;
    active_screen = 0;
    ResetRegisters();
    ClearKeyState();
    ClearMessages();
    FreeEngineFont();
    GameDirTest::TearDown();
  }
  void Press(uint8_t code) {
    QueueKeyEvent(code, true);
    QueueKeyEvent(code, false);
    UpdateKeyState();
  }
  void (*saved_game_frame_)() = run_game_frame;
  void (*saved_start_level_)() = start_level;
  void (*saved_launcher_)() = launcher_frame;
};

TEST_F(ScreenFrame, DispatchesByActiveScreen) {
  struct Case {
    uint8_t screen;
    int game, starts, launcher;
    bool blank;
  } cases[] = {
      {kGameScreen, 1, 1, 0, false},  // register 7 at 0: the level starts first
      {kLauncherScreen, 0, 0, 1, false},
      {kBlankScreen, 0, 0, 0, true},
      {151, 0, 0, 0, true},  // screens not built show a blank frame
      {249, 0, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.screen));
    game_frames = level_starts = launcher_frames = 0;
    Reg(kRegLevelStarted) = 0;
    active_screen = c.screen;
    std::memset(FrameStart(), 7, FrameAreaBytes());
    RunScreenFrame(0);
    EXPECT_EQ(game_frames, c.game);
    EXPECT_EQ(level_starts, c.starts);
    EXPECT_EQ(launcher_frames, c.launcher);
    EXPECT_EQ(FrameStart()[FrameAreaBytes() / 2], c.blank ? 0 : 7);
  }
  Reg(kRegLevelStarted) = 1;
  active_screen = kGameScreen;
  level_starts = 0;
  RunScreenFrame(0);
  EXPECT_EQ(level_starts, 0);  // a started level is not started again
}

TEST_F(ScreenFrame, StartCountdownRunsSixteenBlankFramesThenTheGame) {
  active_screen = kStartCountdownScreen;
  start_countdown = kStartCountdownFrames;
  Reg(kRegLevelStarted) = 0;
  for (int i = 1; i <= kStartCountdownFrames; i++) {
    RunScreenFrame(0);
    EXPECT_EQ(active_screen, i < kStartCountdownFrames ? kStartCountdownScreen : kGameScreen) << i;
  }
  EXPECT_EQ(level_starts, 1);
  EXPECT_EQ(game_frames, 0);
  RunScreenFrame(0);
  EXPECT_EQ(game_frames, 1);
  EXPECT_EQ(level_starts, 1);
}

TEST_F(ScreenFrame, FrameSkipDropsFramesWithEverySlotSwappedAndRestored) {
  Reg(kRegLevelStarted) = 1;
  Reg(kRegFrameSkipSetting) = 2;
  const DrawRoutines installed = draw_routines;
  const bool dropped[] = {false, true, true, false, true, true, false};
  for (bool drop : dropped) {
    uint32_t presented = frames_presented;
    RunScreenFrame(0);
    EXPECT_EQ(skipping_seen, drop);
    EXPECT_EQ(frames_presented - presented, drop ? 0u : 1u);
    EXPECT_EQ(std::memcmp(&draw_routines, &installed, sizeof installed), 0);
  }
  Reg(kRegFrameSkipSetting) = 0;  // the countdown runs out, then every frame shows
  for (bool drop : {true, true, false, false}) {
    RunScreenFrame(0);
    EXPECT_EQ(skipping_seen, drop);
  }
  EXPECT_EQ(Reg(kRegFrameSkip), 0);
}

TEST_F(ScreenFrame, MessageLogAndFpsDrawInTheEngineFont) {
  base_folder = TOLV_GAMES;
  ASSERT_TRUE(LoadEngineFont());
  ShowMessage("old");
  ShowMessage("#");
  std::memset(FrameStart(), 0, FrameAreaBytes());
  DrawHostOverlays(60);
  // The newest line lowest: "#" in the second text row, the FPS figure off.
  const SpriteFrame& hash = engine_font.glyphs['#' - 32];
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 8; x++) EXPECT_EQ(FrameStart()[(8 + y) * frame_width + x], hash.pixels[y * hash.width + x]);
  Reg(kRegDisplay) = 1;
  std::memset(FrameStart(), 0, FrameAreaBytes());
  DrawHostOverlays(60);
  const SpriteFrame& zero = engine_font.glyphs['0' - 32];
  for (int y = 0; y < 8; y++)  // "FPS: 60" ends at the right edge
    for (int x = 0; x < 8; x++)
      EXPECT_EQ(FrameStart()[y * frame_width + frame_width - 8 + x], zero.pixels[y * zero.width + x]);
}

TEST_F(ScreenFrame, ScreenshotIsTheFrameAsAColourMappedTga) {
  for (size_t i = 0; i < FrameAreaBytes(); i++) FrameStart()[i] = uint8_t(i % 251);
  const uint8_t red[3] = {200, 10, 20};
  SelectPaletteBank(0);
  SetPaletteEntry(5, red);
  Reg(kRegScreenshot) = 7;
  ASSERT_TRUE(TakeScreenshot());
  EXPECT_EQ(Reg(kRegScreenshot), 8);
  std::ifstream in(game() / "sh000007.tga", std::ios::binary);
  std::vector<uint8_t> tga((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(tga.size(), 18u + 768u + 320u * 240u);
  const uint8_t header[18] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, 64, 1, 240, 0, 8, 0x20};
  EXPECT_EQ(std::memcmp(tga.data(), header, 18), 0);
  EXPECT_EQ(tga[18 + 15], 20);  // entry 5 as blue, green, red
  EXPECT_EQ(tga[18 + 16], 10);
  EXPECT_EQ(tga[18 + 17], 200);
  EXPECT_EQ(std::memcmp(tga.data() + 18 + 768, FrameStart(), FrameAreaBytes()), 0);

  std::filesystem::remove_all(game());  // nowhere to write: a message, the number kept
  EXPECT_FALSE(TakeScreenshot());
  EXPECT_EQ(Reg(kRegScreenshot), 8);
  EXPECT_STREQ(MessageLine(kMessageLines - 1), "Can't write the screenshot");
}

TEST_F(ScreenFrame, HotkeysActOnTheFramesTheyArePressed) {
  Press(kScanF11);
  RunHotkeys();
  EXPECT_EQ(Reg(kRegDisplay) & 1, 1);
  UpdateKeyState();  // held no longer pressed: nothing toggles
  RunHotkeys();
  EXPECT_EQ(Reg(kRegDisplay) & 1, 1);
  Press(kScanF11);
  RunHotkeys();
  EXPECT_EQ(Reg(kRegDisplay) & 1, 0);

  Press(kScanF12);
  RunHotkeys();
  EXPECT_TRUE(std::filesystem::exists(game() / "sh000000.tga"));

  EXPECT_FALSE(quit_requested);
  Press(kScanEsc);
  RunHotkeys();
  EXPECT_TRUE(quit_requested);
  quit_requested = false;
}

}  // namespace
}  // namespace tolv::test
