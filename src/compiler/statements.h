// Pieces of the statement compiler shared by its forms.
#pragma once
#include <cstdint>

namespace tolv {

// A jump operand: '@' label, '+n' or '-n' from this instruction, or a
// number. Fatal when it names no instruction of the function.
uint32_t JumpTarget(char* token);
// Stored form of a non-yielding jump: target - 1, 0 as 65535.
inline uint32_t NonYieldingTarget(uint32_t target) { return target ? target - 1 : 65535; }

// The generic form: operand_lengths words, each operand coded generically.
void CompileGenericForm(uint32_t id);

// Special forms, by command ID; null = generic form.
using SpecialForm = void (*)(uint32_t id);
SpecialForm FindSpecialForm(uint32_t id);

// A '~' line in text_buffer: one instruction, its words in final order.
void CompileKeyword();

}  // namespace tolv
