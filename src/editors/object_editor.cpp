#include "editors/object_editor.h"

#include <cstdio>
#include <cstring>

#include "base/message_log.h"
#include "editors/editor_colours.h"
#include "editors/editor_keys.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "objects/draw_frame_command.h"
#include "objects/draw_pass.h"
#include "objects/object_layout.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "render/frame.h"
#include "script/commands.h"
#include "script/object_globals.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/plane_scroll.h"
#include "world/tile.h"

namespace tolv {

ObjectEditorCursor object_editor_cursor;

constexpr int32_t kStep = 8, kFastStep = 64;  // pixels per arrow, with Left Shift held
constexpr uint32_t kPlacementRegister = 241;  // 241-244: S D F G lower them, X C V B raise them

void EnterObjectEditor() {
  if (active_screen != 0) return;
  editor_previous_screen = active_screen;
  active_screen = kObjectEditorScreen;
  ApplyEditorView();  // the object editor's screen takes the 640x480 drawers
  object_editor_cursor.x = Reg(kRegViewX) + kEditorWidth / 2;
  object_editor_cursor.y = Reg(kRegViewY) + kEditorHeight / 2;
}

bool PlaceObjectAtCursor() {
  const ObjectEditorCursor& c = object_editor_cursor;
  if (!SpawnObject(c.type, c.x, c.y, 65535, 0, 0, 0, nullptr)) {
    ShowMessage("Object not placed");
    return false;
  }
  object_editor_selection = last_spawned_slot;
  SortObjects();
  return true;
}

void ReloadObjectLayout() {
  if (layout_file_path.empty()) return ShowMessage(kNoLayoutToLoad);  // keep what is placed
  ResetObjectPool();
  object_editor_selection = nullptr;
  std::string path = layout_file_path;
  LoadObjectLayout(path.c_str());
}

// Types 1 and up: 0 marks a deleted object.
static void ChooseType(int32_t d) {
  const int32_t n = int32_t(object_type_counts.total);
  if (n < 2) return;
  int32_t& t = object_editor_cursor.type;
  t = (t - 1 + d + (n - 1)) % (n - 1) + 1;
  char line[40];
  std::snprintf(line, sizeof line, "Placing type %d", t);
  ShowMessage(line);
}

static void StepPlacementValues() {
  static const uint8_t kLower[4] = {kScanS, kScanD, kScanF, kScanG};
  static const uint8_t kRaise[4] = {kScanX, kScanC, kScanV, kScanB};
  for (uint32_t k = 0; k < 4; k++) {
    int32_t& r = registers[kPlacementRegister + k];
    r = int32_t(uint32_t(r) + uint32_t(EdPulse(kRaise[k])) - uint32_t(EdPulse(kLower[k])));
  }
}

static void RunObjectEditorKeys() {
  ObjectEditorCursor& c = object_editor_cursor;
  const int32_t step = EdHeld(kScanLeftShift) ? kFastStep : kStep;
  c.x = int32_t(uint32_t(c.x) + uint32_t(ArrowStepX() * step));
  c.y = int32_t(uint32_t(c.y) + uint32_t(ArrowStepY() * step));
  if (EdPressed(kScanPageUp)) ChooseType(-1);
  if (EdPressed(kScanPageDown)) ChooseType(1);
  StepPlacementValues();
  if (EdPressed(kScanEnter)) PlaceObjectAtCursor();
  if (EdPressed(kScanF5)) SaveObjectLayout(layout_file_path.c_str());
  if (EdPressed(kScanF6)) ReloadObjectLayout();
}

// The camera keeps the cursor in the middle of the view.
static void SetViewRegisters() {
  SelectPlayer(0);
  Reg(kRegPlayer) = 0;
  Reg(kRegView) = 0;
  Reg(kRegCameraX) = int32_t(uint32_t(object_editor_cursor.x) - kEditorWidth / 2);
  Reg(kRegCameraY) = int32_t(uint32_t(object_editor_cursor.y) - kEditorHeight / 2);
}

// The chosen type's debug drawing as player 0 placing it at the cursor
// would show it: for the time of it the player stands at the cursor with
// a placement list of that one type and command 1408 draws at the cursor;
// its words, the zone's list and the command are put back afterwards.
static void DrawPlacementPreview() {
  const ObjectEditorCursor& c = object_editor_cursor;
  const ObjectType* t = FindObjectType(c.type);
  PlayerRecord* r = &player_records[0];
  if (!t || !r->player_vars) return;
  SelectPlayer(0);
  int32_t &x = PVar(r, kPvX), &y = PVar(r, kPvY), &index = PVar(r, kPvDebugType);
  const int32_t kept_x = x, kept_y = y, kept_index = index;
  uint16_t* const kept_list = debug_types;
  const uint8_t kept_count = debug_type_count;
  uint16_t type = uint16_t(c.type);
  debug_types = &type, debug_type_count = 1;
  x = c.x, y = c.y, index = 0;
  script_commands[kDrawFrameCommand] = DrawPlayerObjectFrame;
  RunDebugDrawing(t);
  script_commands[kDrawFrameCommand] = DrawObjectFrame;
  x = kept_x, y = kept_y, index = kept_index;
  debug_types = kept_list, debug_type_count = kept_count;
}

// A cross in the lightest colour with a dark rim, over any ground.
static void DrawCross() {
  const EditorColours& ink = CurrentEditorColours();
  const int64_t x = object_editor_cursor.x, y = object_editor_cursor.y;
  OutlineBox(x - 9, x + 9, y - 1, y + 1, ink.dark);
  OutlineBox(x - 1, x + 1, y - 9, y + 9, ink.dark);
  OutlineBox(x - 8, x + 8, y, y, ink.light);
  OutlineBox(x, x, y - 8, y + 8, ink.light);
}

void ObjectEditorFrame() {
  TakeViewRegisters();
  RunObjectEditorKeys();
  SetViewRegisters();
  UpdatePlaneScroll();
  AnimateTiles();
  std::memset(FrameStart(), 0, FrameAreaBytes());
  DrawScene(0);
  DrawPlacementPreview();
  DrawCross();
}

}  // namespace tolv
