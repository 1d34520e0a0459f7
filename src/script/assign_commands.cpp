// Moves, exchanges, increments, negation, absolute value, constant masks and
// bit commands.
#include <iterator>

#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kAssignDefs = SigDefs<kAssignSigs>();

static const CommandDoc kAssignDocs[] = {
    {"move", CommandArea::kArithmetic, {"destination", "value"},
     "Copies the value into the destination (`~Eval d = v`)."},
    {"exchange", CommandArea::kArithmetic, {"first variable", "second variable"},
     "Swaps the values of the two variables."},
    {"increment", CommandArea::kArithmetic, {"variable"},
     "Adds 1 to the variable (`~Eval v++`); 2147483647 wraps round to -2147483648."},
    {"decrement", CommandArea::kArithmetic, {"variable"},
     "Subtracts 1 from the variable (`~Eval v--`); -2147483648 wraps round to 2147483647."},
    {"negate", CommandArea::kArithmetic, {"variable"},
     "Changes the sign of the variable; -2147483648 stays as it is."},
    {"absolute value", CommandArea::kArithmetic, {"variable"},
     "Makes the variable its absolute value; -2147483648 stays as it is."},
    {"move negated", CommandArea::kArithmetic, {"value", "destination"},
     "Stores the value with its sign changed into the destination; -2147483648 stays as it is."},
    {"move absolute value", CommandArea::kArithmetic, {"value", "destination"},
     "Stores the absolute value of the value into the destination; -2147483648 stays as it is."},
    {"or mask", CommandArea::kArithmetic, {"flags variable", "flag number"},
     "Sets flag n (bit n, 0 to 31) of the variable (`~Flag v[n] = 1`): the compiler stores the flag's bit "
     "mask, which the command ors in."},
    {"and mask", CommandArea::kArithmetic, {"flags variable", "flag number"},
     "Clears flag n of the variable (`~Flag v[n] = 0`): the compiler stores a mask of every bit but n, "
     "which the command ands in."},
    {"xor mask", CommandArea::kArithmetic, {"flags variable", "flag number"},
     "Flips flag n of the variable (`~Flag v[n] = 2`): the compiler stores the flag's bit mask, which the "
     "command xors in."},
    {"set bit", CommandArea::kArithmetic, {"flags variable", "bit number"},
     "Sets bit n of the variable, n read from the register and taken modulo 32 (`~Flag v[R1] = 1`)."},
    {"clear bit", CommandArea::kArithmetic, {"flags variable", "bit number"},
     "Clears bit n of the variable, n read from the register and taken modulo 32 (`~Flag v[R1] = 0`)."},
    {"flip bit", CommandArea::kArithmetic, {"flags variable", "bit number"},
     "Flips bit n of the variable, n read from the register and taken modulo 32 (`~Flag v[R1] = 2`)."},
};
extern const CommandList assign_command_list = {kAssignDefs.data(), kAssignDefs.size(), kAssignDocs,
                                                std::size(kAssignDocs)};

}  // namespace tolv
