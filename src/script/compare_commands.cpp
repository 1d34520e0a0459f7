// Compare-and-jump commands: If, While and IfFlag tests, the loop jumps,
// Switch and the jump tables.
#include <iterator>

#include "script/family_handlers.h"
#include "script/operand_kinds.h"

namespace tolv {

static constexpr auto kCompareDefs = SigDefs<kCompareSigs>();

// The compiler fills in the last word: an If's Else or EndIf, a While's Do.
#define TOLV_IF(name, text) \
  {name, CommandArea::kArithmetic, {"first value", "second value", "end of the block, set by the compiler"}, text}
#define TOLV_IF_FLAG(name, number, text) \
  {name, CommandArea::kArithmetic, {"flags variable", number, "end of the block, set by the compiler"}, text}
#define TOLV_WHILE(name, text) \
  {name, CommandArea::kArithmetic, {"first value", "second value", "the loop's Do, set by the compiler"}, text}
static const CommandDoc kCompareDocs[] = {
    TOLV_IF("if <", "Opens an If block (`~If a < b`): its lines run when the first value is less than the second; "
                    "otherwise the script goes on after its `~Else` or `~EndIf`."),
    TOLV_IF("if >", "Opens an If block (`~If a > b`) whose lines run when the first value is greater than the "
                    "second."),
    TOLV_IF("if <=", "Opens an If block (`~If a <= b`) whose lines run when the first value is at most the second."),
    TOLV_IF("if >=", "Opens an If block (`~If a >= b`) whose lines run when the first value is at least the second."),
    TOLV_IF("if ==", "Opens an If block (`~If a == b`) whose lines run when the two values are equal."),
    TOLV_IF("if !=", "Opens an If block (`~If a != b`) whose lines run when the two values differ."),
    TOLV_IF_FLAG("if mask set", "flag number",
                 "Opens an If block (`~IfFlag v[n] == 1`) whose lines run when flag n (bit n) of the variable is "
                 "set; the compiler stores the flag's bit mask."),
    TOLV_IF_FLAG("if mask clear", "flag number",
                 "Opens an If block (`~IfFlag v[n] == 0`) whose lines run when flag n of the variable is clear."),
    TOLV_IF_FLAG("if bit set", "bit number",
                 "Opens an If block (`~IfFlag v[R1] == 1`) whose lines run when bit n of the variable is set, n "
                 "read from the register and taken modulo 32."),
    TOLV_IF_FLAG("if bit clear", "bit number",
                 "Opens an If block (`~IfFlag v[R1] == 0`) whose lines run when bit n of the variable is clear, n "
                 "read from the register and taken modulo 32."),
    TOLV_WHILE("while <", "Ends a Do loop (`~While a < b`): jumps back to the `~Do` while the first value is less "
                          "than the second, else goes on."),
    TOLV_WHILE("while >", "Ends a Do loop (`~While a > b`), repeating it while the first value is greater than the "
                          "second."),
    TOLV_WHILE("while <=", "Ends a Do loop (`~While a <= b`), repeating it while the first value is at most the "
                           "second."),
    TOLV_WHILE("while >=", "Ends a Do loop (`~While a >= b`), repeating it while the first value is at least the "
                           "second."),
    TOLV_WHILE("while ==", "Ends a Do loop (`~While a == b`), repeating it while the two values are equal."),
    TOLV_WHILE("while !=", "Ends a Do loop (`~While a != b`), repeating it while the two values differ."),
};
#undef TOLV_IF
#undef TOLV_IF_FLAG
#undef TOLV_WHILE
extern const CommandList compare_command_list = {kCompareDefs.data(), kCompareDefs.size(), kCompareDocs,
                                                 std::size(kCompareDocs)};

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

using K = Kind;
static const CommandDef kBlockJumps[] = {
    WithKinds(CommandDef TOLV_SELECTED(350, 0, SwitchCommand, Kind::R, "switch"), {K::R}),
    WithKinds(CommandDef TOLV_SELECTED(351, 0, SwitchCommand, Kind::PA, "switch"), {K::PA}),
    WithKinds(CommandDef TOLV_SELECTED(352, 0, SwitchCommand, Kind::OA, "switch"), {K::OA}),
    TOLV_PLAIN_TIMED(732, 2, LoopJump, "forever"),
    TOLV_PLAIN_TIMED(787, 2, LoopJump, "break do"),
    WithKinds(CommandDef TOLV_SELECTED(850, 3, JumpTableCommand, Kind::R, "jump table"), {K::R, K::K}),
    WithKinds(CommandDef TOLV_SELECTED(851, 3, JumpTableCommand, Kind::PA, "jump table"), {K::PA, K::K}),
    WithKinds(CommandDef TOLV_SELECTED(852, 3, JumpTableCommand, Kind::OA, "jump table"), {K::OA, K::K}),
};

static const CommandDoc kBlockJumpDocs[] = {
    {"switch", CommandArea::kFlow, {"value to switch on"},
     "Opens a switch, written `#350 :v` with `#353 :c` before the lines of each case c (a constant), `#354` to "
     "leave it, `#471` before the default lines and `#355` at its end. It jumps to the case equal to the value, "
     "else to the default or the end; a switch on an object variable holds up to 32765 cases, the others 255."},
    {"forever", CommandArea::kFlow, {"the loop's Do, set by the compiler"},
     "Ends an endless Do loop (`~Forever`): jumps back to its `~Do`. A loop meant to run once a frame yields "
     "inside (`#79`)."},
    {"break do", CommandArea::kFlow, {"the loop's end, set by the compiler"},
     "Leaves the innermost Do loop (`~BreakDo`): jumps past its `~While` or `~Forever`."},
    {"jump table", CommandArea::kFlow, {"selector", "target count, then the targets"},
     "Jumps to the target the selector picks, 0 the first (`#850 :R1 :3 :@A :@B :@C`); a selector outside "
     "the list goes on with the next instruction."},
};
extern const CommandList block_jump_command_list = TOLV_DOCUMENTED(kBlockJumps, kBlockJumpDocs);

}  // namespace tolv
