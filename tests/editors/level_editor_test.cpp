// The level editor's frame: which planes it draws and how (golden frames
// in both views), the drawer selection, and the view registers it leaves
// as it found them.
#include "editor_fixture.h"
#include "editors/editor_hotkeys.h"
#include "editors/editor_keys.h"
#include "editors/level_editor.h"
#include "editors/object_editor.h"
#include "render/geometry.h"
#include "render/screen_mode.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {
namespace {

using LevelEditorTest = EditorTest;

void ExpectPlaneSlots(FrameGeometry g) {
  DrawRoutines want{};
  InstallPlaneDrawers(g, want);
  for (int t = 0; t < kPlaneTypes; t++) {
    EXPECT_EQ(draw_routines.draw_plane[t], want.draw_plane[t]) << "type " << t;
    EXPECT_EQ(draw_routines.draw_plane_opaque[t], want.draw_plane_opaque[t]) << "type " << t;
    EXPECT_EQ(saved_draw_routines.draw_plane[t], want.draw_plane[t]) << "saved type " << t;
    EXPECT_EQ(saved_draw_routines.draw_plane_opaque[t], want.draw_plane_opaque[t]) << "saved type " << t;
  }
}

TEST_F(LevelEditorTest, GoldenFramesInBothViews) {
  const std::pair<uint8_t, uint64_t> golden[] = {{0, 0x1295318f6b1ebe81ull}, {1, 0x68a0ec49ff954491ull}};
  for (auto [bar, hash] : golden) {
    editor_top_bar = bar;
    plane_show_flags[0] = plane_show_flags[3] = 1;
    editor_current_plane = 2;  // H Tiled, drawn as Flat
    planes[2].line_offsets[3] = 5;
    level_editor_cursor = LevelEditorCursor{45, 40, 1, 43, 38};
    EnterLevelEditor();
    PoisonAroundArea();
    LevelEditorFrame();
    EXPECT_TRUE(CanaryIntact());
    ExpectAreaHash(hash, "level_editor_bar" + std::to_string(bar));
    LeaveEditor();
  }
}

// Each plane shows in its own band: the colours in the view are exactly
// those of the shown planes and the edited one, whatever its flag.
TEST_F(LevelEditorTest, DrawsExactlyTheShownPlanesAndTheEditedOne) {
  struct Case {
    std::vector<uint32_t> shown;
    uint8_t edited;
    std::set<int> colours;
  } cases[] = {
      {{}, 0, {10}},
      {{0, 2}, 1, {10, 20, 30}},
      {{1}, 1, {20}},
      {{0, 1, 2, 3}, 3, {10, 20, 30, 40}},
      {{3}, 2, {30, 40}},
  };
  for (uint8_t bar : {0, 1}) {
    for (const Case& c : cases) {
      ResetEditorPlaneState();
      for (uint32_t i : c.shown) plane_show_flags[i] = 1;
      editor_current_plane = c.edited;
      editor_top_bar = bar;
      EnterLevelEditor();
      LevelEditorFrame();
      EXPECT_EQ(ColoursIn(bar ? kTopBarRows : 0, bar ? kEditorHeight - kBottomBarRows : kEditorHeight), c.colours)
          << "bar " << int(bar) << " edited " << int(c.edited);
      if (bar) {
        EXPECT_TRUE(ColoursIn(0, kTopBarRows).empty());
      }
      LeaveEditor();
    }
  }
  ResetEditorPlaneState();
  planes[3].type = 7;  // no drawer: shown or not, nothing
  plane_show_flags[3] = 1;
  EnterLevelEditor();
  LevelEditorFrame();
  EXPECT_EQ(ColoursIn(0, kEditorHeight), std::set<int>{10});
}

TEST_F(LevelEditorTest, DrawerSelectionForBothViews) {
  struct Case {
    uint8_t bar, screen;
    FrameGeometry geometry;
  } cases[] = {{1, kLevelEditorScreen, k640x440}, {0, kLevelEditorScreen, k640x480},
               {1, kObjectEditorScreen, k640x480}, {0, kObjectEditorScreen, k640x480}};
  for (const Case& c : cases) {
    SetScreenMode(0);
    editor_top_bar = c.bar;
    active_screen = c.screen;
    SelectEditorDrawRoutines();
    ExpectPlaneSlots(c.geometry);
  }
  active_screen = 0;
  editor_top_bar = 1;
  EnterLevelEditor();
  Press(kScanT);  // the bar goes, the full view's drawers come
  LevelEditorFrame();
  ExpectPlaneSlots(k640x480);
  LeaveEditor();
  Release();
  editor_top_bar = 1;  // the object editor takes the full view's drawers all the same
  EnterObjectEditor();
  EXPECT_EQ(active_screen, kObjectEditorScreen);
  EXPECT_EQ(frame_width * frame_height, kEditorWidth * kEditorHeight);
  ExpectPlaneSlots(k640x480);
}

// The screen mode (register 0, registers 11-16) and registers 23-50 as
// the game left them, whatever the editor did to them; only the game
// screen enters.
std::vector<int32_t> GameViewRegisters() {
  std::vector<int32_t> v;
  for (uint32_t r = 0; r <= 50; r++)
    if (r == 0 || (r >= 11 && r <= 16) || r >= 23) v.push_back(registers[r]);
  return v;
}

TEST_F(LevelEditorTest, HotkeysEnterAndLeaveWithTheViewRegistersRestored) {
  SetScreenMode(1);
  for (uint8_t key : {kScanF2, kScanF3}) {
    for (uint32_t r = 23; r <= 50; r++) registers[r] = int32_t(r * 1000 + 7);
    const std::vector<int32_t> before = GameViewRegisters();
    Press(key);
    RunEditorHotkeys();
    Release();
    EXPECT_EQ(active_screen, key == kScanF2 ? kLevelEditorScreen : kObjectEditorScreen);
    EXPECT_EQ(Reg(kRegScreenMode), 4);
    for (int frame = 0; frame < 3; frame++) {
      Press(kScanRight);
      Press(kScanDown);
      key == kScanF2 ? LevelEditorFrame() : ObjectEditorFrame();
      Release();
      registers[50] = -1;  // as a plane function in the editor might
    }
    EXPECT_NE(GameViewRegisters(), before);
    Press(key == kScanF2 ? kScanF3 : kScanF2);  // the other editor's key does nothing here
    RunEditorHotkeys();
    Release();
    Press(key);
    RunEditorHotkeys();
    Release();
    EXPECT_EQ(active_screen, 0);
    EXPECT_EQ(GameViewRegisters(), before);
    EXPECT_EQ(frame_width, 320);
    EXPECT_EQ(frame_height, 224);
  }
}

TEST_F(LevelEditorTest, KeysChoosePlanesAndFlagsAndMoveTheCursor) {
  EnterLevelEditor();
  for (uint8_t k : {uint8_t(kScanPageUp), uint8_t(kScan1 + 2)}) {
    Press(k);
    LevelEditorFrame();
    Release();
  }
  EXPECT_EQ(editor_current_plane, 3);  // wrapped round
  EXPECT_EQ(plane_show_flags[2], 1);
  for (int i = 0; i < 20; i++) {
    Press(kScanLeftShift);
    Press(kScanRight);
    LevelEditorFrame();
  }
  EXPECT_EQ(level_editor_cursor.x, int32_t(kPlaneWidth) - 1);  // kept on the plane
  EXPECT_EQ(Reg(kRegCameraX), int32_t(kPlaneWidth * 8) - kEditorWidth);  // its last column in view
}

// Cursor, block mark and bars take the palette entries that stand out
// (253-255 are black here, as in games of few colours), chosen again when
// the palette changes; ties go to the lower entry.
TEST_F(LevelEditorTest, MarksTakeTheColoursThatStandOut) {
  plane_show_flags[0] = 1;
  level_editor_cursor = LevelEditorCursor{5, 5, 1, 2, 2};
  EnterLevelEditor();
  for (auto [light, dark, mark] : {std::array<uint8_t, 3>{200, 0, 100}, {60, 1, 100}}) {
    LevelEditorFrame();
    EXPECT_EQ(Pixel(39, kTopBarRows + 44), light);  // cursor
    EXPECT_EQ(Pixel(38, kTopBarRows + 44), dark);   // its rim
    EXPECT_EQ(Pixel(15, kTopBarRows + 30), mark);   // block mark
    EXPECT_EQ(Pixel(2, 2), dark);                   // top bar
    EXPECT_EQ(Pixel(12, 15), light);                // plane 0's box
    SetColour(60, {255, 255, 255});
    SetColour(0, {250, 250, 250});
  }
  LeaveEditor();
}

}  // namespace
}  // namespace tolv::test
