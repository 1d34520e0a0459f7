// Compare-and-jump commands: If, While and IfFlag tests, the loop jumps,
// Switch and the jump tables on a variable selector.
#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kCompareDefs = SigDefs<kCompareSigs>();
extern const CommandList compare_command_list = {kCompareDefs.data(), kCompareDefs.size()};

static ScriptContext* PlainContext() { return current_context; }
static ScriptContext* TimedContext() { return timed_context; }

// Words of the instruction being run, found through the lane that runs it;
// 0 when it is not that lane's instruction, so nothing past word 4 is read.
static uint32_t RunningLength(const ScriptContext* c) {
  if (!c || current_lane >= c->lane_count) return 0;
  const ScriptFunction* fn = ContextFunction(c, c->lane_funcs[current_lane]);
  uint16_t pc = c->lane_pcs[current_lane];
  if (!fn || pc >= fn->count || InstructionAt(*fn, pc) != current_instruction) return 0;
  return InstructionLength(*fn, pc);
}

template <uint16_t& (*Pc)()>
static void LoopJump() {
  Pc() = static_cast<uint16_t>(Op(1));
}

// Words: selector, unused, default target, case count n, then n pairs of
// case value and target. Only the cases the instruction holds are read.
template <Space Sel, uint16_t& (*Pc)(), ScriptContext* (*Ctx)()>
static void SwitchCommand() {
  int32_t n = static_cast<int32_t>(Op(4));
  uint32_t target = Op(3);
  if (n > 0) {
    uint32_t len = RunningLength(Ctx());
    uint32_t held = len > 5 ? (len - 5) / 2 : 0;
    uint32_t count = static_cast<uint32_t>(n) < held ? static_cast<uint32_t>(n) : held;
    int32_t v = SpaceGet<Sel>(Op(1));
    for (uint32_t k = 0; k < count; k++)
      if (static_cast<int32_t>(Op(5 + 2 * k)) == v) {
        target = Op(6 + 2 * k);
        break;
      }
  }
  Pc() = static_cast<uint16_t>(target);
}

// Targets from word 3, indexed by the selector; a selector outside the
// table continues with the next instruction.
template <Space Sel, uint16_t& (*Pc)(), ScriptContext* (*Ctx)()>
static void JumpTableCommand() {
  uint32_t v = static_cast<uint32_t>(SpaceGet<Sel>(Op(1)));
  uint32_t len = RunningLength(Ctx());
  if (len > 3 && v < len - 3) Pc() = static_cast<uint16_t>(Op(3 + v));
}

#define TOLV_PLAIN_TIMED(id, len, tmpl, name) \
  {id, len, tmpl<PlainLanePc>, tmpl<TimedLanePc>, tmpl<PlainLanePc>, name}
#define TOLV_SELECTED(id, len, tmpl, sel, name)                                                  \
  {id, len, tmpl<sel, PlainLanePc, PlainContext>, tmpl<sel, TimedLanePc, TimedContext>, \
   tmpl<sel, PlainLanePc, PlainContext>, name}

static const CommandDef kBlockJumps[] = {
    TOLV_SELECTED(350, 0, SwitchCommand, Space::kR, "switch"),
    TOLV_SELECTED(351, 0, SwitchCommand, Space::kPA, "switch"),
    TOLV_SELECTED(352, 0, SwitchCommand, Space::kOA, "switch"),
    TOLV_PLAIN_TIMED(732, 2, LoopJump, "forever"),
    TOLV_PLAIN_TIMED(787, 2, LoopJump, "break do"),
    TOLV_SELECTED(851, 3, JumpTableCommand, Space::kPA, "jump table"),
    TOLV_SELECTED(852, 3, JumpTableCommand, Space::kOA, "jump table"),
};
extern const CommandList block_jump_command_list = TOLV_LIST(kBlockJumps);

}  // namespace tolv
