// Compare-and-jump commands: If, While and IfFlag tests, the loop jumps,
// Switch and the jump tables.
#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kCompareDefs = SigDefs<kCompareSigs>();
extern const CommandList compare_command_list = {kCompareDefs.data(), kCompareDefs.size()};

static ScriptContext* PlainContext() { return current_context; }
static ScriptContext* TimedContext() { return timed_context; }

template <uint16_t& (*Pc)()>
static void LoopJump() {
  Pc() = static_cast<uint16_t>(Op(1));
}

// Words: selector, unused, default target, case count n, then n pairs of
// case value and target. Only the cases the instruction holds are read.
template <Kind Sel, uint16_t& (*Pc)(), ScriptContext* (*Ctx)()>
static void SwitchCommand() {
  int32_t n = static_cast<int32_t>(Op(4));
  uint32_t target = Op(3);
  if (n > 0) {
    uint32_t len = RunningInstructionLength(Ctx());
    uint32_t held = len > 5 ? (len - 5) / 2 : 0;
    uint32_t count = static_cast<uint32_t>(n) < held ? static_cast<uint32_t>(n) : held;
    int32_t v = KindValue<Sel>(Op(1));
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
template <Kind Sel, uint16_t& (*Pc)(), ScriptContext* (*Ctx)()>
static void JumpTableCommand() {
  uint32_t v = static_cast<uint32_t>(KindValue<Sel>(Op(1)));
  uint32_t len = RunningInstructionLength(Ctx());
  if (len > 3 && v < len - 3) Pc() = static_cast<uint16_t>(Op(3 + v));
}

#define TOLV_PLAIN_TIMED(id, len, tmpl, name) \
  {id, len, tmpl<PlainLanePc>, tmpl<TimedLanePc>, tmpl<PlainLanePc>, name}
#define TOLV_SELECTED(id, len, tmpl, sel, name)                                                  \
  {id, len, tmpl<sel, PlainLanePc, PlainContext>, tmpl<sel, TimedLanePc, TimedContext>, \
   tmpl<sel, PlainLanePc, PlainContext>, name}

static const CommandDef kBlockJumps[] = {
    TOLV_SELECTED(350, 0, SwitchCommand, Kind::R, "switch"),
    TOLV_SELECTED(351, 0, SwitchCommand, Kind::PA, "switch"),
    TOLV_SELECTED(352, 0, SwitchCommand, Kind::OA, "switch"),
    TOLV_PLAIN_TIMED(732, 2, LoopJump, "forever"),
    TOLV_PLAIN_TIMED(787, 2, LoopJump, "break do"),
    TOLV_SELECTED(850, 3, JumpTableCommand, Kind::R, "jump table"),
    TOLV_SELECTED(851, 3, JumpTableCommand, Kind::PA, "jump table"),
    TOLV_SELECTED(852, 3, JumpTableCommand, Kind::OA, "jump table"),
};
extern const CommandList block_jump_command_list = TOLV_LIST(kBlockJumps);

}  // namespace tolv
