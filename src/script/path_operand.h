// Path operands of the file commands: the current file of the command's
// kind (tested before the register bit, which the value has), a string
// slot, or a register holding a slot.
#pragma once
#include <cstdint>

#include "script/operands.h"
#include "script/string_slots.h"

namespace tolv {

// Null for a slot that does not exist.
inline const char* PathOperand(uint32_t word, const char* current_file) {
  if (word == kCurrentFile) return current_file;
  return StringSlotText(static_cast<uint32_t>(RegOrConst(word)));
}

}  // namespace tolv
