#include "host/message_overlay.h"

#include <cstdio>

#include "base/message_log.h"
#include "host/engine_font.h"
#include "render/frame.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr int32_t kCell = 8;

void DrawHostOverlays(uint32_t fps) {
  int first = 0;
  while (first < kMessageLines && !*MessageLine(first)) first++;
  int rows = frame_area_height / kCell;
  if (kMessageLines - first > rows) first = kMessageLines - rows;
  for (int i = first; i < kMessageLines; i++) DrawEngineText(MessageLine(i), 0, (i - first) * kCell);
  if (!(Reg(kRegDisplay) & 1)) return;
  char text[24];
  int n = std::snprintf(text, sizeof text, "FPS: %u", fps);
  DrawEngineText(text, frame_width - n * kCell, 0);
}

}  // namespace tolv
