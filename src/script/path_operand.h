// Path operands of the load and save commands: a script string slot (a
// constant index or a register holding one), or the current file of the
// command's kind.
#pragma once
#include <cstdint>
#include <string>

#include "script/operands.h"
#include "script/string_slots.h"

namespace tolv {

constexpr uint32_t kCurrentFileOperand = 0x7FFFFFFF;

// The path operand k names; null when its slot does not exist.
inline const char* PathOperand(int k, const std::string& current_file) {
  const uint32_t word = Op(k);
  if (word == kCurrentFileOperand) return current_file.c_str();
  return StringSlotText(static_cast<uint32_t>(RegOrConst(word)));
}

}  // namespace tolv
