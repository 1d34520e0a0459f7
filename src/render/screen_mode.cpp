#include "render/screen_mode.h"

#include <cstring>

#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/geometry.h"
#include "script/operands.h"

namespace tolv {

struct ModeLayout {
  FrameGeometry geometry;
  uint8_t views;
  int32_t reg11, reg12, reg15, reg16;  // tile columns and rows a view spans, row length and rows of the area
};

// Mode 2 stacks two 320x224 views in a 320x448 area; mode 3 is one
// 320x224 view like mode 1.
constexpr ModeLayout kModes[kScreenModeCount] = {
    {k320x240, 1, 41, 31, 320, 240}, {k320x224, 1, 41, 29, 320, 224}, {k320x224, 2, 41, 29, 320, 448},
    {k320x224, 1, 41, 29, 320, 224}, {k640x480, 1, 81, 61, 640, 480}, {k424x240, 1, 54, 31, 424, 240},
};

void SetScreenMode(int mode) {
  if (mode < 0 || mode >= kScreenModeCount) return;
  const ModeLayout& m = kModes[mode];
  const GeometrySize size = kGeometrySizes[m.geometry];
  frame_width = size.width;
  frame_height = size.height;
  frame_view_count = m.views;
  frame_area_height = size.height * m.views;
  for (int32_t y = 0; y < kMaxFrameHeight; y++) row_offsets[y] = uint32_t(y < size.height ? y * size.width : 0);
  std::memset(frame_memory, 0, sizeof frame_memory);
  SelectFrameView(0);
  if (registers && register_count > 16) {
    const int32_t values[] = {mode, m.reg11, m.reg12, size.width, size.height, m.reg15, m.reg16};
    const uint32_t regs[] = {0, 11, 12, 13, 14, 15, 16};
    for (int i = 0; i < 7; i++) registers[regs[i]] = values[i];
  }
  InstallBlitters(m.geometry, draw_routines);
  InstallLines(m.geometry, draw_routines);
  InstallPlaneDrawers(m.geometry, draw_routines);
  saved_draw_routines = draw_routines;
}

}  // namespace tolv
