// The object editor's cursor as the screen dispatcher draws it: the chosen
// type's debug drawing at the cursor, with command 1408 in its placement
// form for the time of it, and player 0 and the zone's placement list as
// they were afterwards.
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
  // Type 2 draws frame 2 of set 0 (4x4 of colour 33) 20 right of and 12
  // below the cursor, clear of the cross.
  types[2].dbdraw_label = AddFunction(kDBDrawCode, {{kDrawFrameCommand, 0, 2, 20, 12, 0}, {346}});
  AllocPlayerVars();
  PlayerRecord* r = &player_records[0];
  PVar(r, kPvX) = 7, PVar(r, kPvY) = 8, PVar(r, kPvDebugType) = 0;
  QueueKeyEvent(kScanF3, true);
  QueueKeyEvent(kScanF3, false);
  UpdateKeyState();
  RunHotkeys();
  ASSERT_EQ(active_screen, kObjectEditorScreen);

  for (int32_t type : {2, 3}) {  // type 3 has no debug drawing
    SCOPED_TRACE(type);
    object_editor_cursor = ObjectEditorCursor{500, 300, type};
    RunScreenFrame(0);
    EXPECT_EQ(Count(33), type == 2 ? 16 : 0);
    if (type == 2) {
      EXPECT_EQ(Pixel(kEditorWidth / 2 + 20, kEditorHeight / 2 + 12), 33);  // the cursor mid-view
    }
    EXPECT_EQ(script_commands[kDrawFrameCommand], DrawObjectFrame);
    EXPECT_EQ(PVar(r, kPvX), 7);
    EXPECT_EQ(PVar(r, kPvY), 8);
    EXPECT_EQ(PVar(r, kPvDebugType), 0);
    EXPECT_EQ(debug_types, &listed);
    EXPECT_EQ(debug_type_count, 1);
  }
  LeaveEditor();
  ResetEditors();
  ClearKeyState();
  PoisonAroundArea();  // the editor's frame was larger
}

}  // namespace
}  // namespace tolv::test
