// Player commands: character defaults back into the player's variables
// (824) and the player's label table (322).
#include "objects/character.h"
#include "script/command_ids.h"
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"

namespace tolv {

// 824: first, last.
static void ResetCharacterVars() {
  PlayerRecord* p = player_operand_d;
  uint32_t first = Low16(Op(1)), last = Low16(Op(2));
  const Character* c = FindCharacter(p->character);
  for (uint32_t n = first; n <= last; n++) {
    int32_t v = c ? Cell(c->default_vars, c->default_var_count, n) : 0;
    PlayerVar(p, n) = v;
  }
}

// A triplet's value word: bit 31 a label of the player's character, bit
// 30 a label table entry, bit 29 a player variable, else a constant.
static uint16_t LabelValue(PlayerRecord* p, uint32_t w) {
  uint32_t index = w & 0x0FFFFFFF;
  if (w & 0x80000000u) {
    int32_t ch = Cell(p->player_vars, player_register_count, 0);
    const Character* c = ch >= 0 && ch < 256 ? FindCharacter(static_cast<uint8_t>(ch)) : nullptr;
    return static_cast<uint16_t>((c ? c->label_base : 0u) + (w & 0xFFFF));
  }
  if (w & 0x40000000u) return index < p->label_count && p->labels ? p->labels[index] : 0;
  if (w & 0x20000000u) return static_cast<uint16_t>(PlayerVar(p, index));
  return static_cast<uint16_t>(w);
}

static bool FrameCommandAt(const ScriptFunction& fn, uint32_t i, uint16_t* value) {
  const uint32_t* ins = InstructionAt(fn, static_cast<uint16_t>(i));
  if (CommandIndex(ins[0]) != kCmdSetFrame || InstructionLength(fn, static_cast<uint16_t>(i)) < 2) return false;
  *value = static_cast<uint16_t>(ins[1]);
  return true;
}

// Lanes of the main context running `from` go on in `to` at the same
// index; their frame value comes from the frame command there, else the
// nearest one before, else (until a lane was refreshed from before) the
// last one after.
static void SwitchLanes(PlayerRecord* p, uint16_t from, uint16_t to) {
  TimedScriptContext& c = p->main_ctx;
  const ScriptFunction* fn = ContextFunction(&c, to);
  bool refreshed_before = false;
  for (int lane = 0; lane < c.lane_count; lane++) {
    if (c.lane_funcs[lane] != from) continue;
    c.lane_funcs[lane] = to;
    TouchLanes();
    if (!fn || !fn->count) continue;
    uint32_t pc = c.lane_pcs[lane];
    uint16_t v = 0;
    bool found = pc < fn->count && FrameCommandAt(*fn, pc, &v);
    for (int64_t i = int64_t(pc < fn->count ? pc : fn->count) - 1; !found && i >= 0; i--)
      if (FrameCommandAt(*fn, uint32_t(i), &v)) found = refreshed_before = true;
    for (uint32_t i = fn->count - 1u; !found && !refreshed_before && i > pc; i--) found = FrameCommandAt(*fn, i, &v);
    if (found && c.frame_values) c.frame_values[lane] = v;
  }
}

static void SetLabels(const ScriptContext* ctx) {
  PlayerRecord* p = player_operand_d;
  uint32_t words = Op(1), len = RunningInstructionLength(ctx);
  uint32_t room = len > 2 ? len - 2 : len ? 0 : kOperandPad - 2;
  if (words > room) words = room;
  for (uint32_t t = 0; t + 3 <= words; t += 3) {
    uint32_t slot = Op(2 + int(t));
    uint16_t value = LabelValue(p, Op(3 + int(t)));
    if (slot >= p->label_count || !p->labels) continue;
    if (p->labels[slot] == value) return;
    if (Op(4 + int(t))) SwitchLanes(p, p->labels[slot], value);
    p->labels[slot] = value;
  }
}
static void SetLabelsScript() { SetLabels(current_context); }
static void SetLabelsTimed() { SetLabels(timed_context); }

static const CommandDef kPlayerLabelCommands[] = {
    {322, 0, SetLabelsScript, SetLabelsTimed, SetLabelsScript, "set label table"},
    TOLV_ALL(824, 3, ResetCharacterVars, "reset character vars"),
};

static const CommandDoc kPlayerLabelDocs[] = {
    {"set label table", CommandArea::kPlayers,
     {"entry count n", "per entry: label table entry", "its new label", "its switch flag"},
     "Sets entries of the label table of the player in player slot D (its copy of the character's main labels, "
     "which key combinations run). The new label is p n for the character's own function n, L n for another "
     "entry's label, a variable of that player (C, c, A, a) or a number; with a non-zero switch flag, its main "
     "lanes running the old label go on in the new one at the same instruction, showing the frame set there. An "
     "entry that already holds its new label ends the command, leaving the entries after it."},
    {"reset character vars", CommandArea::kPlayers, {"first character variable", "last character variable"},
     "Sets the character variables first to last of the player in player slot D back to its character's "
     "defaults; one without a default becomes 0."},
};
extern const CommandList player_label_command_list = TOLV_DOCUMENTED(kPlayerLabelCommands, kPlayerLabelDocs);

}  // namespace tolv
