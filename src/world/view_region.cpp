#include "world/view_region.h"

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr int64_t kViewMargin = 160;

static bool Near(int64_t v, int64_t first, int64_t last) { return v >= first - kViewMargin && v <= last + kViewMargin; }

// The wrap copies of rows and columns are tested after the view, and a
// copy row found under vertical wrap overrides a copy column.
uint8_t ViewRegion(int v, int64_t x, int64_t y) {
  const int32_t* R = registers;
  const int64_t cx = R[kRegViewX + v], cy = R[kRegViewY + v], fw = R[kRegFrameWidth], fh = R[kRegFrameHeight];
  const int64_t w = R[kRegWrapWidth + v], h = R[kRegWrapHeight + v];
  const bool columns = Near(x, cx, cx + fw), rows = Near(y, cy, cy + fh);
  if (columns && rows) return kViewItself;
  const bool wrap_x = R[kRegWrapX + v] != 0;
  const bool right = wrap_x && Near(x, cx + w, R[kRegTargetRight + v]);
  const bool left = wrap_x && Near(x, R[kRegTargetLeft + v], cx - w + fw);
  uint8_t region = kNoViewRegion;
  if (rows && (right || left)) region = right ? 3 : 5;
  if (!R[kRegWrapY + v]) return region;
  int row = Near(y, cy + h, R[kRegTargetBottom + v]) ? 0 : Near(y, R[kRegTargetTop + v], cy - h + fh) ? 2 : -1;
  if (row < 0) return region;
  if (columns) return static_cast<uint8_t>(row * 3 + 1);
  if (right || left) return static_cast<uint8_t>(row * 3 + (right ? 0 : 2));
  return region;
}

}  // namespace tolv
