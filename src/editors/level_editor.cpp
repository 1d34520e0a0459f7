#include "editors/level_editor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/message_log.h"
#include "editors/editor_colours.h"
#include "editors/editor_keys.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "editors/tile_dump.h"
#include "objects/draw_pass.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/editor_plane_state.h"
#include "world/plane_scroll.h"
#include "world/tile.h"

namespace tolv {

LevelEditorCursor level_editor_cursor;

constexpr int32_t kFastStep = 8;  // cells per arrow with Left Shift held

static TilePlane* EditedPlane() {
  if (editor_current_plane >= plane_count) editor_current_plane = 0;
  return PlaneAt(editor_current_plane);
}

static int32_t ViewRows() { return TopBarShown() ? kBarViewRows : kEditorHeight; }
static int32_t ViewTop() { return TopBarShown() ? kTopBarRows : 0; }

static void ClampCursor(const TilePlane& p) {
  LevelEditorCursor& c = level_editor_cursor;
  c.x = std::clamp<int32_t>(c.x, 0, int32_t(p.width) - 1);
  c.y = std::clamp<int32_t>(c.y, 0, int32_t(p.height) - 1);
}

static void ShowPlaneChoice() {
  static const char* const kTypes[] = {"Flat", "Relative", "H Tiled", "V Tiled", "H Lined", "V Lined"};
  const TilePlane& p = planes[editor_current_plane];
  char line[64];
  std::snprintf(line, sizeof line, "Plane %u of %u: %s %ux%u", unsigned{editor_current_plane}, unsigned{plane_count},
                p.type < 6 ? kTypes[p.type] : "?", p.width, p.height);
  ShowMessage(line);
}

// 1 to 9 and 0 toggle planes 0 to 9, with Left Shift 1 to 6 planes 10 to 15.
static void ToggleShowFlags() {
  const uint32_t first = EdHeld(kScanLeftShift) ? 10 : 0;
  for (uint32_t k = 0; k < 10; k++)
    if (EdPressed(uint8_t(kScan1 + k)) && first + k < kShownPlaneFlags) plane_show_flags[first + k] ^= 1;
}

static void RunLevelEditorKeys() {
  LevelEditorCursor& c = level_editor_cursor;
  const int32_t step = EdHeld(kScanLeftShift) ? kFastStep : 1;
  if (plane_count && (EdPressed(kScanPageUp) || EdPressed(kScanPageDown))) {
    const int32_t d = EdPressed(kScanPageDown) ? 1 : plane_count - 1;
    editor_current_plane = uint8_t((editor_current_plane + d) % plane_count);
    ShowPlaneChoice();
  }
  ToggleShowFlags();
  if (EdPressed(kScanT)) {
    editor_top_bar ^= 1;
    SelectEditorDrawRoutines();
  }
  c.x += ArrowStepX() * step;
  c.y += ArrowStepY() * step;
  if (const TilePlane* p = EditedPlane()) ClampCursor(*p);
  if (EdPressed(kScanSpace)) {
    c.marked ^= 1;
    c.mark_x = c.x, c.mark_y = c.y;
  }
  if (EdPressed(kScanD)) DumpMarkedBlock();
}

bool DumpMarkedBlock() {
  const TilePlane* p = EditedPlane();
  if (!p) return false;
  const LevelEditorCursor& c = level_editor_cursor;
  const int32_t mx = c.marked ? c.mark_x : c.x, my = c.marked ? c.mark_y : c.y;
  const int32_t x = std::min(mx, c.x), y = std::min(my, c.y);
  return WriteTileDump(*p, x, y, uint32_t(std::max(mx, c.x) - x + 1), uint32_t(std::max(my, c.y) - y + 1));
}

// Both players' limits span the edited plane (the Flat drawer wraps there),
// no scroll offsets, and the camera keeps the cursor in the middle of the
// view while the plane reaches past it.
static void SetViewRegisters(const TilePlane& p) {
  for (uint32_t q = 0; q < 2; q++) {
    registers[kRegLimitLeft + q] = registers[kRegLimitTop + q] = 0;
    registers[kRegLimitRight + q] = int32_t(p.width * 8);
    registers[kRegLimitBottom + q] = int32_t(p.height * 8);
    registers[kRegScrollOffsetX + q] = registers[kRegScrollOffsetY + q] = 0;
  }
  Reg(kRegPlayer) = 0;
  Reg(kRegView) = 0;
  const LevelEditorCursor& c = level_editor_cursor;
  const int32_t rows = ViewRows();
  Reg(kRegCameraX) = std::clamp<int32_t>(c.x * 8 + 4 - kEditorWidth / 2, 0, std::max<int32_t>(0, int32_t(p.width * 8) - kEditorWidth));
  Reg(kRegCameraY) = std::clamp<int32_t>(c.y * 8 + 4 - rows / 2, 0, std::max<int32_t>(0, int32_t(p.height * 8) - rows));
}

void DrawLevelEditorPlanes() {
  const size_t shift = size_t(ViewTop()) * kEditorWidth;
  frame_buffer += shift;
  for (uint32_t i = 0; i < plane_count; i++) {
    const TilePlane* p = &planes[i];
    if (i == editor_current_plane) draw_routines.draw_plane[kPlaneFlat](p);
    else if (PlaneShownInEditor(i) && p->type < kPlaneTypes)
      (p->flags & kPlaneOpaque ? draw_routines.draw_plane_opaque : draw_routines.draw_plane)[p->type](p);
  }
  frame_buffer -= shift;
}

static void FillRows(int32_t first, int32_t rows, uint8_t colour) {
  std::memset(frame_buffer + size_t(first) * kEditorWidth, colour, size_t(rows) * kEditorWidth);
}

// The top bar holds a box per plane flag: filled when the plane is shown,
// outlined for the edited plane.
static void DrawBars() {
  if (!TopBarShown()) return;
  const EditorColours& ink = CurrentEditorColours();
  FillRows(0, kTopBarRows, ink.dark);
  FillRows(kEditorHeight - kBottomBarRows, kBottomBarRows, ink.dark);
  for (uint32_t i = 0; i < kShownPlaneFlags && i < plane_count; i++) {
    const int32_t x = 8 + int32_t(i) * 20;
    if (plane_show_flags[i])
      for (int32_t y = 10; y < 22; y++) std::memset(frame_buffer + size_t(y) * kEditorWidth + x + 2, ink.light, 12);
    if (i == editor_current_plane) {
      draw_routines.draw_hline(x, 8, x + 16, ink.light);
      draw_routines.draw_hline(x, 23, x + 16, ink.light);
      draw_routines.draw_vline(x, 8, 24, ink.light);
      draw_routines.draw_vline(x + 15, 8, 24, ink.light);
    }
  }
}

// A box of cells in `colour`, with a dark rim outside so that it shows
// over light tiles as well as dark ones.
static void OutlineCells(int64_t l, int64_t r, int64_t t, int64_t b, uint8_t colour) {
  const int64_t top = ViewTop();
  OutlineBox(l * 8 - 2, r * 8 + 9, t * 8 - 2 + top, b * 8 + 9 + top, CurrentEditorColours().dark);
  OutlineBox(l * 8 - 1, r * 8 + 8, t * 8 - 1 + top, b * 8 + 8 + top, colour);
}

// Outlines are given in plane pixels; the view starts ViewTop() rows down.
static void DrawCursor() {
  const LevelEditorCursor& c = level_editor_cursor;
  if (c.marked)
    OutlineCells(std::min(c.x, c.mark_x), std::max(c.x, c.mark_x), std::min(c.y, c.mark_y), std::max(c.y, c.mark_y),
                 CurrentEditorColours().mark);
  OutlineCells(c.x, c.x, c.y, c.y, CurrentEditorColours().light);
}

void LevelEditorFrame() {
  TakeViewRegisters();
  RunLevelEditorKeys();
  std::memset(FrameStart(), 0, FrameAreaBytes());
  const TilePlane* p = EditedPlane();
  if (!p) return;
  SetViewRegisters(*p);
  UpdatePlaneScroll();
  AnimateTiles();
  DrawLevelEditorPlanes();
  DrawCursor();
  DrawBars();
}

}  // namespace tolv
