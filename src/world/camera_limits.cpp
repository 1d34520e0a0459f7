// Easing of the camera limits towards their targets.
#include "world/camera_limits.h"

#include <algorithm>

#include "base/wrap32.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/frame_steps.h"

namespace tolv {

constexpr int32_t kEaseStep = 2;
constexpr int32_t kEaseReach = 15;  // an opening limit farther outside the view jumps
constexpr int32_t kEaseViewWidth = 320;

// Register base + p; players beyond the file read 0 and write nowhere.
static int32_t& PlayerReg(uint32_t base, int32_t p) {
  return Cell(registers, register_count, base + static_cast<uint32_t>(p));
}

// A left or top limit towards its target, against the view's near edge.
static int32_t EaseNear(int32_t limit, int32_t target, int32_t edge) {
  if (limit > target)
    return limit >= Wrap32Sub(edge, kEaseReach) ? std::max(Wrap32Sub(limit, kEaseStep), target) : target;
  if (limit < target) {
    if (target <= edge) return target;
    limit = std::max(Wrap32Add(limit, kEaseStep), edge);
    return std::min(limit, target);
  }
  return limit;
}

// A right or bottom limit towards its target, against the view's far edge.
static int32_t EaseFar(int32_t limit, int32_t target, int32_t edge) {
  if (limit < target)
    return limit <= Wrap32Add(edge, kEaseReach) ? std::min(Wrap32Add(limit, kEaseStep), target) : target;
  if (limit > target) {
    if (target >= edge) return target;
    limit = std::min(Wrap32Sub(limit, kEaseStep), edge);
    return std::max(limit, target);
  }
  return limit;
}

void EaseCameraLimits() {
  int32_t p = registers[kRegPlayer];
  int32_t left = PlayerReg(kRegViewX, p), top = PlayerReg(kRegViewY, p);
  int32_t right = Wrap32Add(left, kEaseViewWidth), bottom = Wrap32Add(top, registers[kRegFrameHeight]);
  int32_t& l = PlayerReg(kRegLimitLeft, p);
  l = EaseNear(l, PlayerReg(kRegTargetLeft, p), left);
  int32_t& r = PlayerReg(kRegLimitRight, p);
  r = EaseFar(r, PlayerReg(kRegTargetRight, p), right);
  int32_t& t = PlayerReg(kRegLimitTop, p);
  t = EaseNear(t, PlayerReg(kRegTargetTop, p), top);
  int32_t& b = PlayerReg(kRegLimitBottom, p);
  b = EaseFar(b, PlayerReg(kRegTargetBottom, p), bottom);
  if (view_count < 2)
    for (uint32_t k : {kRegLimitLeft, kRegLimitTop, kRegLimitRight, kRegLimitBottom}) registers[k + 1] = registers[k];
}

static int32_t saved_view_registers[kViewRegisterCount];

void SaveViewRegisters() {
  std::copy_n(registers + kFirstViewRegister, kViewRegisterCount, saved_view_registers);
}

void RestoreViewRegisters() {
  std::copy_n(saved_view_registers, kViewRegisterCount, registers + kFirstViewRegister);
}

}  // namespace tolv
