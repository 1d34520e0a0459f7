// The editors over a loaded game: the command line's request at the first
// level start, and the object editor placing, saving and loading again.
#include <filesystem>

#include "../game/loading_fixture.h"
#include "base/key_state.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "editors/level_editor.h"
#include "editors/object_editor.h"
#include "game/launch_options.h"
#include "objects/draw_order.h"
#include "objects/object_layout.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/geometry.h"

namespace tolv::test {
namespace {

class EditorStartTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    StartEditors();
    ResetEditors();
    active_screen = 0;
  }
  void TearDown() override {
    ResetEditors();
    active_screen = 0;
    open_level_editor = 0;
    LoadingTest::TearDown();
  }
  static std::vector<int32_t> ViewRegisters() { return {registers + 23, registers + 51}; }
};

TEST_F(EditorStartTest, CommandLineRequestOpensTheLevelEditorAtTheFirstStart) {
  open_level_editor = 1;
  active_screen = 1;  // the start countdown
  Start("full.gdf");
  EXPECT_EQ(active_screen, kLevelEditorScreen);
  EXPECT_EQ(open_level_editor, 0);
  EXPECT_EQ(editor_previous_screen, 0);
  EXPECT_EQ(editor_warp_zone, Reg(kRegZone));
  EXPECT_EQ(editor_warp_act, Reg(kRegAct));
  EXPECT_EQ(frame_width, kEditorWidth);
  EXPECT_EQ(frame_height, kEditorHeight);
  DrawRoutines bar{};
  InstallPlaneDrawers(k640x440, bar);
  EXPECT_EQ(draw_routines.draw_plane[0], bar.draw_plane[0]);

  // The registers the level start left are what leaving brings back.
  const std::vector<int32_t> started = ViewRegisters();
  LevelEditorFrame();
  LeaveEditor();
  EXPECT_EQ(active_screen, 0);
  EXPECT_EQ(ViewRegisters(), started);
  EXPECT_EQ(frame_width, 320);

  StartLevel();  // the request served the first start only
  EXPECT_EQ(active_screen, 0);
}

TEST_F(EditorStartTest, ObjectEditorPlacesSavesAndLoadsAgain) {
  Start("full.gdf");
  layout_file_path = "/placed.lay";
  EnterObjectEditor();
  ASSERT_EQ(active_screen, kObjectEditorScreen);
  const uint32_t before = ActiveObjectCount();
  object_editor_cursor.type = 1;
  object_editor_cursor.x = 123, object_editor_cursor.y = 45;
  ASSERT_TRUE(PlaceObjectAtCursor());
  ASSERT_EQ(ActiveObjectCount(), before + 1);
  ASSERT_NE(object_editor_selection, nullptr);
  EXPECT_EQ(object_editor_selection->vars[1], 123);
  key_state[63] = 1;  // F5 saves
  ObjectEditorFrame();
  key_state[63] = 0;
  EXPECT_TRUE(fs::exists(Game() / "placed.lay"));

  object_editor_cursor.x = 7;
  ASSERT_TRUE(PlaceObjectAtCursor());
  key_state[64] = 1;  // F6 loads the saved layout again
  ObjectEditorFrame();
  key_state[64] = 0;
  EXPECT_EQ(ActiveObjectCount(), before + 1);
  EXPECT_EQ(object_editor_selection, nullptr);
  bool found = false;
  for (uint32_t i = 0; i < ActiveObjectCount(); i++)
    found |= object_slots[i]->vars[0] == 1 && object_slots[i]->vars[1] == 123 && object_slots[i]->vars[2] == 45;
  EXPECT_TRUE(found);
  LeaveEditor();
}

// A game that has loaded no layout: F5 and F6 say so and leave the placed
// objects and the game folder as they are.
TEST_F(EditorStartTest, ObjectEditorWithoutALayoutFileChangesNothing) {
  layout_file_path = "/placed.lay";  // the last game's
  Start("full.gdf");
  EXPECT_EQ(layout_file_path, "");
  EnterObjectEditor();
  object_editor_cursor.type = 1;
  ASSERT_TRUE(PlaceObjectAtCursor());
  const uint32_t placed = ActiveObjectCount();
  const auto files = [&] {
    std::vector<fs::path> list;
    for (const auto& e : fs::recursive_directory_iterator(root_)) list.push_back(e.path());
    return list;
  };
  const std::vector<fs::path> before = files();
  const struct {
    uint32_t key;
    const char* said;
  } keys[] = {{63, "No layout file known: not saved"}, {64, "No layout file known: not loaded"}};  // F5, F6
  for (const auto& k : keys) {
    key_state[k.key] = 1;
    ObjectEditorFrame();
    key_state[k.key] = 0;
    EXPECT_EQ(LastMessage(), k.said);
    EXPECT_EQ(ActiveObjectCount(), placed);
    EXPECT_EQ(files(), before);
  }
  LeaveEditor();
}

}  // namespace
}  // namespace tolv::test
