// The factor tables and the per-view fill of every plane's line offsets.
#include "world/plane_scroll.h"

#include "base/key_state.h"
#include "base/wrap32.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/editor_plane_state.h"
#include "world/frame_steps.h"
#include "world/level_generation.h"
#include "world/tile_plane.h"

namespace tolv {

constexpr uint8_t kLevelEditorScreen = 253;

int32_t scroll_table_x[256];
int32_t scroll_table_y[256];

static uint32_t current_plane = kNoPlane;
static uint32_t filled_plane = kNoPlane;
static uint32_t pass_generation = 0;  // the level the two indexes belong to

uint32_t CurrentPlane() { return pass_generation == level_generation ? current_plane : kNoPlane; }
uint32_t CurrentFilledPlane() { return pass_generation == level_generation ? filled_plane : kNoPlane; }

// Running sums stand for the products: the same 32-bit results, one
// addition an entry.
void FillScrollTable(int32_t* table, int32_t camera, int32_t drifting) {
  uint32_t sum = 0;
  for (int k = 0; k <= 128; k++, sum += static_cast<uint32_t>(camera)) table[k] = static_cast<int32_t>(sum) >> 6;
  sum = static_cast<uint32_t>(drifting);
  for (int k = 129; k < 255; k++, sum += static_cast<uint32_t>(drifting)) table[k] = static_cast<int32_t>(sum) >> 6;
  table[255] = static_cast<int32_t>(static_cast<uint32_t>(drifting) << 7) >> 6;
}

// Column types take their lines from the y table, the others from x.
static void FillPlane(TilePlane& p) {
  if (p.type > kPlaneVLined) return;
  bool columns = PlaneSplitsColumns(p.type);
  const int32_t* lines = columns ? scroll_table_y : scroll_table_x;
  const int32_t* other = columns ? scroll_table_x : scroll_table_y;
  p.other_offset = other[p.other_factor];
  if (!p.line_offsets || !p.line_factors) return;
  uint32_t n = PlaneLineCount(p.type, p.width, p.height);
  for (uint32_t i = 0; i < n; i++) p.line_offsets[i] = lines[p.line_factors[i]];
}

static bool TakesPart(const TilePlane& p, uint32_t i) {
  if (active_screen == kLevelEditorScreen) return PlaneShownInEditor(i);
  int32_t view = registers[kRegView];
  return view == 0 ? p.active_view0 != 0 : view == 1 && p.active_view1 != 0;
}

void UpdatePlaneScroll() {
  uint32_t p = static_cast<uint32_t>(registers[kRegPlayer]);
  int32_t x = Wrap32Add(registers[kRegCameraX], Cell(registers, register_count, kRegScrollOffsetX + p));
  int32_t y = Wrap32Add(registers[kRegCameraY], Cell(registers, register_count, kRegScrollOffsetY + p));
  int32_t frames = static_cast<int32_t>(game_frame_counter);
  FillScrollTable(scroll_table_x, x, Wrap32Add(x, frames));
  FillScrollTable(scroll_table_y, y, Wrap32Add(y, frames));
  const uint32_t generation = pass_generation = level_generation;
  const bool editor = active_screen == kLevelEditorScreen;
  for (uint32_t i = 0; i < plane_count; i++) {
    current_plane = i;
    TilePlane& plane = planes[i];
    if (!TakesPart(plane, i)) continue;
    filled_plane = i;
    FillPlane(plane);
    if (editor || plane.plane_function == kNoPlaneFunction) continue;
    current_context = &plane_context;
    RunFunctionNow(plane.plane_function);
    if (level_generation != generation) return;  // a new level: its planes wait for the next pass
  }
}

}  // namespace tolv
