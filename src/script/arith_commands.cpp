// Three-operand arithmetic and bitwise commands, compound assignments, and
// the empty commands between them.
#include <iterator>

#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kArithDefs = SigDefs<kArithSigs>();

#define TOLV_THREE(name, text) {name, CommandArea::kArithmetic, {"first value", "second value", "destination"}, text}
#define TOLV_IN_PLACE(name, text) {name, CommandArea::kArithmetic, {"value", "destination"}, text}
static const CommandDoc kArithDocs[] = {
    TOLV_THREE("add", "Stores the sum of the two values (`~Eval d = a + b`), wrapping round in 32 bits."),
    TOLV_THREE("subtract", "Stores the first value minus the second (`~Eval d = a - b`), wrapping round in 32 bits."),
    TOLV_THREE("multiply", "Stores the product of the two values (`~Eval d = a * b`), keeping its low 32 bits."),
    TOLV_THREE("divide",
               "Stores the first value divided by the second, rounded toward zero (`~Eval d = a / b`). Dividing "
               "by 0 leaves the destination as it was; -2147483648 / -1 gives -2147483648."),
    TOLV_THREE("modulo",
               "Stores the remainder of the first value divided by the second, with the first value's sign "
               "(`~Eval d = a % b`). By 0 the destination is left as it was."),
    TOLV_THREE("shift left",
               "Stores the first value shifted left by the second, taken modulo 32 (`~Eval d = a << b`)."),
    TOLV_THREE("shift right",
               "Stores the first value shifted right by the second, taken modulo 32, keeping its sign "
               "(`~Eval d = a >> b`)."),
    TOLV_THREE("and", "Stores the bits set in both values (`~Eval d = a & b`)."),
    TOLV_THREE("or", "Stores the bits set in either value (`~Eval d = a | b`)."),
    TOLV_THREE("xor", "Stores the bits set in just one of the values (`~Eval d = a ^ b`)."),
    TOLV_IN_PLACE("add in place", "Adds the value to the destination (`~Eval d += v`), wrapping round in 32 bits."),
    TOLV_IN_PLACE("subtract in place",
                  "Subtracts the value from the destination (`~Eval d -= v`), wrapping round in 32 bits."),
    TOLV_IN_PLACE("multiply in place",
                  "Multiplies the destination by the value (`~Eval d *= v`), keeping the low 32 bits."),
    TOLV_IN_PLACE("divide in place",
                  "Divides the destination by the value, rounded toward zero (`~Eval d /= v`); by 0 the "
                  "destination is left as it was."),
    TOLV_IN_PLACE("modulo in place",
                  "Makes the destination the remainder of its division by the value, with its own sign "
                  "(`~Eval d %= v`); by 0 it is left as it was."),
    TOLV_IN_PLACE("shift left in place",
                  "Shifts the destination left by the value, taken modulo 32 (`~Eval d <<= v`)."),
    TOLV_IN_PLACE("shift right in place",
                  "Shifts the destination right by the value, taken modulo 32, keeping its sign (`~Eval d >>= v`)."),
    TOLV_IN_PLACE("and in place", "Clears the bits of the destination that are clear in the value (`~Eval d &= v`)."),
    TOLV_IN_PLACE("or in place", "Sets the bits of the destination that are set in the value (`~Eval d |= v`)."),
    TOLV_IN_PLACE("xor in place", "Flips the bits of the destination that are set in the value (`~Eval d ^= v`)."),
};
#undef TOLV_THREE
#undef TOLV_IN_PLACE
extern const CommandList arith_command_list = {kArithDefs.data(), kArithDefs.size(), kArithDocs,
                                               std::size(kArithDocs)};

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
