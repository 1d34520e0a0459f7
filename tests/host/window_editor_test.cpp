// Under Xvfb: the sample game in the window, the level editor entered and
// left with F2 through the window's key handling, and the game running on
// with its view registers (23 to 50) as they were when the editor opened.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>

#include "base/key_state.h"
#include "editors/editor_state.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/game_frame.h"
#include "game/headless.h"
#include "host/game_start.h"
#include "host/window.h"
#include "render/presenters.h"
#include "render/screen_mode.h"
#include "script/operands.h"
#include "script/registers.h"
#include "../game/sample_game_fixture.h"

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

using ViewRegisters = std::array<int32_t, 28>;  // registers 23 to 50

ViewRegisters TakeView() {
  ViewRegisters v;
  for (uint32_t i = 0; i < v.size(); i++) v[i] = Reg(kRegLimitLeft + i);
  return v;
}

// X key symbols and key codes (evdev numbering plus 8).
constexpr uint32_t kF2 = 0xffbf, kF2Code = 68, kRight = 0xff53, kRightCode = 114, kDown = 0xff54, kDownCode = 116;
void PutKey(uint32_t sym, uint32_t code, bool down) { PutWindowKeyEvent(sym, code, down); }

class WindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char tmpl[] = "/tmp/tolv_window_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    CopySampleBase(TOLV_GAMES, root_);
    int argc = 1;
    char name[] = "test_host_window";
    char* args[] = {name, nullptr};
    char** argv = args;
    ASSERT_TRUE(OpenHostWindow(&argc, &argv));
    ASSERT_EQ(ChangeWorkingFolder(root_.c_str()), 1);
    base_folder = root_;
    StartHeadlessEngine();
    StartEditors();
    ASSERT_TRUE(StartGame("default.gdf", false));
  }
  static void TearDownTestSuite() {
    CloseHostWindow();
    fs::remove_all(root_);
  }
  // Idle ticks, with GTK's events in between, until `done` or 20 s.
  static bool TickUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 20000 && !done(); i++) {
      if (!TickWindow()) return false;
    }
    return done();
  }
  static bool Frames(uint32_t n) {
    uint32_t until = game_frame_counter + n;
    return TickUntil([until] { return active_screen == 0 && game_frame_counter >= until; });
  }
  static inline std::string root_;
};

TEST_F(WindowTest, LevelEditorHotkeyLeavesTheGameAsItWas) {
  ASSERT_TRUE(Frames(30));
  PutKey(kF2, kF2Code, true);
  ASSERT_TRUE(TickUntil([] { return active_screen == kLevelEditorScreen; }));
  // Values the editor's own view (limits over the whole plane, no scroll
  // offsets) cannot share, as a game may have set them.
  for (uint32_t i = 0; i < 28; i++) Reg(kRegLimitLeft + i) = int32_t(1000 + 8 * i);
  const ViewRegisters at_entry = TakeView();
  const uint32_t game_frames = game_frame_counter;
  PutKey(kF2, kF2Code, false);

  // Walk the editor's view to the right and down: its registers move.
  PutKey(kRight, kRightCode, true);
  PutKey(kDown, kDownCode, true);
  ASSERT_TRUE(TickUntil([&] { return TakeView() != at_entry; }));
  for (int i = 0; i < 200; i++) ASSERT_TRUE(TickWindow());
  PutKey(kRight, kRightCode, false);
  PutKey(kDown, kDownCode, false);
  EXPECT_EQ(game_frame_counter, game_frames);  // the world stood still

  PutKey(kF2, kF2Code, true);
  PutKey(kF2, kF2Code, false);
  ASSERT_TRUE(TickUntil([] { return active_screen != kLevelEditorScreen; }));
  EXPECT_EQ(active_screen, 0);
  EXPECT_EQ(TakeView(), at_entry);
  ASSERT_TRUE(Frames(30));  // and the game runs on
}

TEST_F(WindowTest, TheSurfaceGrowsToHoldA424By240FrameDoubled) {
  EXPECT_EQ(window_surface.width, 640);
  EXPECT_EQ(window_surface.height, 480);
  SetScreenMode(5);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(window_surface.width, 848);
  EXPECT_EQ(window_surface.height, 480);
  uint32_t shown = 0;  // the picture reaches past where a 640-wide one would end
  for (int y = 0; y < 480; y++)
    shown += reinterpret_cast<const uint32_t*>(window_surface.pixels + y * window_surface.pitch)[800] != 0;
  EXPECT_GT(shown, 240u);
  SetScreenMode(0);
  ASSERT_TRUE(Frames(2));
  EXPECT_EQ(window_surface.width, 848);  // kept
}

}  // namespace
}  // namespace tolv::test
