#include "world/level.h"

#include <algorithm>

#include "script/operands.h"
#include "script/registers.h"
#include "world/editor_plane_state.h"
#include "world/level_generation.h"

namespace tolv {

uint32_t level_width = 0;
uint32_t level_height = 0;
std::string level_file_path;
LevelSource level_source = kLevelDefault;

// The level's own planes; `planes` points into them (tests may point it
// at planes of their own for a while).
static PlaneList level_planes;

PlaneList::~PlaneList() {
  for (TilePlane& p : planes) FreePlane(p);
}

TilePlane* PlaneList::Add(uint8_t type, uint32_t width, uint32_t height) {
  if (width > kMaxPlaneSide || height > kMaxPlaneSide) return nullptr;
  const uint64_t n = PlaneMapCells(width ? width : 1, height ? height : 1);
  if (planes.size() >= kMaxPlanes || n > kMaxLevelCells - cells) return nullptr;
  cells += n;
  InitPlane(planes.emplace_back(), type, width, height);
  return &planes.back();
}

void SwapLevelPlanes(PlaneList& next) {
  std::swap(level_planes.planes, next.planes);
  std::swap(level_planes.cells, next.cells);
  planes = level_planes.planes.empty() ? nullptr : level_planes.planes.data();
  plane_count = static_cast<uint8_t>(level_planes.planes.size());
  level_generation++;
}

void FreeLevel() {
  PlaneList none;
  SwapLevelPlanes(none);
}

void ResetLevelView() {
  Reg(kRegCameraX) = 0;
  Reg(kRegCameraY) = 0;
  ResetEditorPlaneState();
}

static void SetLimits(int32_t right, int32_t bottom) {
  for (uint32_t p = 0; p < 2; p++) {
    Reg(kRegLimitLeft + p) = Reg(kRegTargetLeft + p) = 0;
    Reg(kRegLimitTop + p) = Reg(kRegTargetTop + p) = 0;
    Reg(kRegLimitRight + p) = Reg(kRegTargetRight + p) = right;
    Reg(kRegLimitBottom + p) = Reg(kRegTargetBottom + p) = bottom;
  }
}

void FlatPlaneSize(uint32_t* width, uint32_t* height) {
  *width = *height = 0;
  for (uint32_t i = 0; i < plane_count; i++) {
    if (planes[i].type != kPlaneFlat) continue;
    *width = std::max(*width, planes[i].width);
    *height = std::max(*height, planes[i].height);
  }
}

void SetLimitsFromFlatPlanes() {
  uint32_t width, height;
  FlatPlaneSize(&width, &height);
  SetLimits(static_cast<int32_t>(int64_t(width) * 8), static_cast<int32_t>(int64_t(height) * 8));
}

void ResetDefaultPlanes() {
  PlaneList next;
  next.Add(kPlaneRelative, 80, 60)->flags = kPlaneOpaque;
  next.Add(kPlaneFlat, 80, 60);
  next.Add(kPlaneFlat, 80, 60);
  SwapLevelPlanes(next);
  level_source = kLevelDefault;
  level_width = 80;
  level_height = 60;
  Reg(kRegWaterLine) = 340;
  ResetLevelView();
  SetLimits(320, 200);
  for (uint32_t p = 0; p < 2; p++) {
    Reg(kRegWrapX + p) = Reg(kRegWrapY + p) = 0;
    Reg(kRegScrollOffsetX + p) = Reg(kRegScrollOffsetY + p) = 0;
    Reg(kRegWrapWidth + p) = 320;
    Reg(kRegWrapHeight + p) = 200;
  }
}

}  // namespace tolv
