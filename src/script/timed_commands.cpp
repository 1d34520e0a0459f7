// Commands on the timed lane: frame values and waits.
#include <cstdlib>

#include "script/commands.h"
#include "script/lane_access.h"
#include "script/lane_loop.h"
#include "script/operands.h"

namespace tolv {

static void SetFrameValue(int32_t v) {
  if (TimedScriptContext* c = TimedLaneContext()) c->frame_values[current_lane] = static_cast<uint16_t>(v);
}
static void FrameConst() { SetFrameValue(static_cast<int32_t>(Op(1))); }
static void FrameSelf() { SetFrameValue(SelfVar(Op(1))); }
static void FrameOA() { SetFrameValue(OAVar(Op(1))); }
static void FramePA() { SetFrameValue(PAVar(Op(1))); }
static void FrameChar() { SetFrameValue(CharVar(Op(1))); }
static void FrameReg() { SetFrameValue(Reg(Op(1))); }

// A speed's contribution to a wait step: its magnitude in 16 bits.
static uint16_t SpeedStep(int32_t v) {
  return static_cast<uint16_t>(v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v));
}

// Arms the timed lane's wait and yields; the lane resumes after this
// instruction, or is freed when this was its last instruction.
static void ArmWait(bool keep_acc, uint16_t step, uint16_t limit) {
  TimedScriptContext* c = TimedLaneContext();
  if (!c) return;
  int l = current_lane;
  if (!keep_acc) c->wait_acc[l] = 0;
  c->wait_step[l] = step;
  c->wait_limit[l] = limit;
  yield_flag = 1;
  uint16_t pc = static_cast<uint16_t>(c->lane_pcs[l] + 1);
  const ScriptFunction* fn = ContextFunction(c, c->lane_funcs[l]);
  if (!fn || pc >= fn->count) {
    FreeTimedLane(c, l);
  } else {
    c->lane_pcs[l] = pc;
  }
}

static void WaitConst() { ArmWait(false, 1, static_cast<uint16_t>(Op(1))); }
static void WaitChar() { ArmWait(false, 1, static_cast<uint16_t>(CharVar(Op(1)))); }
static void WaitSelf() { ArmWait(false, 1, static_cast<uint16_t>(SelfVar(Op(1)))); }
static void WaitReg() { ArmWait(false, 1, static_cast<uint16_t>(Reg(Op(1)))); }

static void WaitSpeed(uint32_t var) {
  ArmWait(true, static_cast<uint16_t>(Op(1) + SpeedStep(CurPlayerVar(var))), static_cast<uint16_t>(Op(2)));
}
static void WaitSpeedX() { WaitSpeed(7); }
static void WaitSpeedY() { WaitSpeed(8); }
static void WaitSpeedGround() { WaitSpeed(9); }
static void WaitScaled(int32_t speed) {
  ArmWait(true, static_cast<uint16_t>(Op(2) + SpeedStep(speed)), static_cast<uint16_t>(Op(3)));
}
static void WaitScaledChar() { WaitScaled(CharVar(Op(1))); }
static void WaitScaledSelf() { WaitScaled(SelfVar(Op(1))); }
static void WaitScaledReg() { WaitScaled(Reg(Op(1))); }

static const CommandDef kTimed[] = {
    TOLV_ST(80, 2, FrameConst, "set frame"),
    TOLV_ST(81, 2, WaitConst, "wait"),
    TOLV_ST(82, 3, WaitSpeedX, "wait by X speed"),
    TOLV_ST(83, 3, WaitSpeedY, "wait by Y speed"),
    TOLV_ST(84, 3, WaitSpeedGround, "wait by ground speed"),
    TOLV_ST(379, 2, FrameSelf, "set frame from self"),
    TOLV_ST(380, 2, FrameOA, "set frame from OA"),
    TOLV_ST(381, 2, FrameChar, "set frame from character"),
    TOLV_ST(382, 2, FramePA, "set frame from PA"),
    TOLV_ST(472, 2, FrameReg, "set frame from register"),
    TOLV_ST(949, 4, WaitScaledChar, "wait by character speed"),
    TOLV_ST(950, 4, WaitScaledSelf, "wait by self speed"),
    TOLV_ST(1178, 4, WaitScaledReg, "wait by register speed"),
    TOLV_TIMED(1392, 2, WaitChar, "wait character"),
    TOLV_TIMED(1393, 2, WaitSelf, "wait self"),
    TOLV_TIMED(1394, 2, WaitReg, "wait register"),
};
extern const CommandList timed_command_list = TOLV_LIST(kTimed);

}  // namespace tolv
