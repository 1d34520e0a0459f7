// The object editor's cursor as the screen dispatcher draws it: the chosen
// type's debug drawing at the cursor, with command 1408 in its placement
// form for the time of it, and player 0 and the zone's placement list as
// they were afterwards.
#include <array>

#include "../objects/scene_fixture.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "editors/object_editor.h"
#include "host/hotkeys.h"
#include "host/key_input.h"
#include "host/screen_frame.h"
#include "objects/draw_frame_command.h"

namespace tolv::test {
namespace {

TEST_F(SceneTest, ObjectEditorCursorShowsTheChosenTypesDebugDrawing) {
  uint16_t listed = 1;  // the zone's placement list names another type
  debug_types = &listed, debug_type_count = 1;
  // Frame 2 of set 0 (4x4 of colour 33), 20 right of and 12 below the cursor.
  types[2].dbdraw_label = AddFunction(kDBDrawCode, {{kDrawFrameCommand, 0, 2, 20, 12, 0}, {346}});
  AllocPlayerVars();
  PlayerRecord* r = &player_records[0];
  PVar(r, kPvX) = 7, PVar(r, kPvY) = 8;
  QueueKeyEvent(kScanF3, true);
  UpdateKeyState();
  RunHotkeys();
  ASSERT_EQ(active_screen, kObjectEditorScreen);
  object_editor_cursor = ObjectEditorCursor{500, 300, 2};
  RunScreenFrame(0);
  EXPECT_EQ(Count(33), 16);
  EXPECT_EQ(Pixel(kEditorWidth / 2 + 20, kEditorHeight / 2 + 12), 33);  // the cursor is mid-view
  EXPECT_EQ(script_commands[kDrawFrameCommand], DrawObjectFrame);
  EXPECT_EQ((std::array{PVar(r, kPvX), PVar(r, kPvY), PVar(r, kPvDebugType)}), (std::array{7, 8, 0}));
  EXPECT_EQ(debug_types, &listed);
  LeaveEditor();
  ResetEditors();
  ClearKeyState();
  PoisonAroundArea();  // the editor's frame was larger
}

}  // namespace
}  // namespace tolv::test
