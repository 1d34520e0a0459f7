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
  const char* lines[kShownMessages];
  const int n = RecentMessages(lines, kShownMessages, kMessageShowMs);
  for (int i = 0; i < n; i++) DrawEngineText(lines[i], 0, i * kCell);
  if (!(Reg(kRegDisplay) & 1)) return;
  char text[24];
  int w = std::snprintf(text, sizeof text, "FPS: %u", fps);
  DrawEngineText(text, frame_width - w * kCell, 0);
}

}  // namespace tolv
