// Three-operand arithmetic and bitwise commands, compound assignments, and
// the empty commands between them.
#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kArithDefs = SigDefs<kArithSigs>();
extern const CommandList arith_command_list = {kArithDefs.data(), kArithDefs.size()};

// 52 is also what the compiler emits for combinations no command serves.
static void EmptyCommand() {}

static const CommandDef kEmpty[] = {
    TOLV_ALL(46, 0, EmptyCommand, "empty"),
    TOLV_ALL(52, 4, EmptyCommand, "empty"),
    TOLV_ALL(58, 4, EmptyCommand, "empty"),
    TOLV_ALL(62, 4, EmptyCommand, "empty"),
};
static const CommandDoc kEmptyDocs[] = {
    {"empty", CommandArea::kNothing, {}, "Does nothing."},
};
extern const CommandList empty_command_list = TOLV_DOCUMENTED(kEmpty, kEmptyDocs);

}  // namespace tolv
