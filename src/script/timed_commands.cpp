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

#define TOLV_SPEED_WAIT(name, text) \
  {name, CommandArea::kFlow, {"base step (constant)", "limit (constant)"}, text}
#define TOLV_SCALED_WAIT(name, speed, text) \
  {name, CommandArea::kFlow, {speed, "base step (constant)", "limit (constant)"}, text}
static const CommandDoc kTimedDocs[] = {
    {"set frame", CommandArea::kObjects, {"frame (constant)"},
     "Sets the frame this timed lane shows: for an object's Animation lane a frame of the object's sprite set, "
     "for a player's main lane a frame of the player's character. Only in a timed lane; elsewhere it does "
     "nothing."},
    {"set frame from self", CommandArea::kObjects, {"frame (variable of the running object)"},
     "Sets the frame this timed lane shows, as `#80` does, from a variable of the running object."},
    {"set frame from OA", CommandArea::kObjects, {"frame (variable of object slot A)"},
     "Sets the frame this timed lane shows, as `#80` does, from a variable of object slot A."},
    {"set frame from character", CommandArea::kObjects, {"frame (character variable)"},
     "Sets the frame this timed lane shows, as `#80` does, from a character variable of the current player."},
    {"set frame from PA", CommandArea::kObjects, {"frame (variable of player slot A)"},
     "Sets the frame this timed lane shows, as `#80` does, from a variable of player slot A."},
    {"set frame from register", CommandArea::kObjects, {"frame (register)"},
     "Sets the frame this timed lane shows, as `#80` does, from a register."},
    {"wait", CommandArea::kFlow, {"frames (constant)"},
     "Pauses this timed lane: it goes on with the next instruction that many frames later (0 to 65535; the "
     "next frame for 0 or 1). Only in a timed lane; elsewhere it does nothing."},
    TOLV_SPEED_WAIT("wait by X speed",
                    "Pauses this timed lane until a count, growing each frame by the base step plus the current "
                    "player's X speed without its sign (player variable 7, read once now), reaches the limit; what "
                    "passes the limit carries into the lane's next speed wait. An animation so runs faster the "
                    "faster the player moves."),
    TOLV_SPEED_WAIT("wait by Y speed",
                    "Pauses this timed lane as `#82` does, with the current player's Y speed (player variable 8)."),
    TOLV_SPEED_WAIT("wait by ground speed",
                    "Pauses this timed lane as `#82` does, with the current player's ground speed (player "
                    "variable 9)."),
    TOLV_SCALED_WAIT("wait by character speed", "speed (character variable)",
                     "Pauses this timed lane as `#82` does, with the speed in a character variable of the "
                     "current player."),
    TOLV_SCALED_WAIT("wait by self speed", "speed (variable of the running object)",
                     "Pauses this timed lane as `#82` does, with the speed in a variable of the running object."),
    TOLV_SCALED_WAIT("wait by register speed", "speed (register)",
                     "Pauses this timed lane as `#82` does, with the speed in a register."),
    {"wait character", CommandArea::kFlow, {"frames (character variable)"},
     "Pauses this timed lane as `#81` does, for the frames a character variable of the current player holds."},
    {"wait self", CommandArea::kFlow, {"frames (variable of the running object)"},
     "Pauses this timed lane as `#81` does, for the frames a variable of the running object holds."},
    {"wait register", CommandArea::kFlow, {"frames (register)"},
     "Pauses this timed lane as `#81` does, for the frames a register holds."},
};
#undef TOLV_SPEED_WAIT
#undef TOLV_SCALED_WAIT
extern const CommandList timed_command_list = TOLV_DOCUMENTED(kTimed, kTimedDocs);

}  // namespace tolv
