// Range fills of registers and variables.
#include "script/commands.h"
#include "script/operands.h"

namespace tolv {

// Cells first..last (unsigned) get the value; the range is clamped to the
// cells that exist, so a last index of 0xFFFFFFFF ends.
static void FillCells(int32_t* cells, uint32_t count) {
  int32_t value = RegOrConst(Op(1));
  uint32_t first = static_cast<uint32_t>(RegOrConst(Op(2)));
  uint32_t last = static_cast<uint32_t>(RegOrConst(Op(3)));
  if (!cells || first > last || first >= count) return;
  uint64_t end = last < count ? uint64_t{last} + 1 : count;
  for (uint64_t i = first; i < end; i++) cells[i] = value;
}

static void FillRegisters() { FillCells(registers, register_count); }
static void FillPD() { FillCells(player_operand_d->character_vars, PlayerBlockSize()); }
static void FillOD() { FillCells(object_operand_d->vars, object_operand_d->var_count); }

static const CommandDef kFill[] = {
    TOLV_ALL(1281, 4, FillRegisters, "fill registers"),
    TOLV_ALL(1282, 4, FillPD, "fill player variables"),
    TOLV_ALL(1283, 4, FillOD, "fill object variables"),
};

static const CommandDoc kFillDocs[] = {
    {"fill registers", CommandArea::kArithmetic, {"value", "first register", "last register"},
     "Stores the value into every register from the first to the last, given by number (write `U` n for user "
     "register n, 256 + n); numbers past the last register are skipped."},
    {"fill player variables", CommandArea::kArithmetic, {"value", "first variable", "last variable"},
     "Stores the value into the variables of player slot D from the first to the last, given by number "
     "(written `C` n, `A` n or `a` n); numbers past its variables are skipped."},
    {"fill object variables", CommandArea::kArithmetic, {"value", "first variable", "last variable"},
     "Stores the value into the variables of object slot D from the first to the last, given by number "
     "(written `e` n, or the word number); numbers past its variables are skipped."},
};
extern const CommandList fill_command_list = TOLV_DOCUMENTED(kFill, kFillDocs);

}  // namespace tolv
