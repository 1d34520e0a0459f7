// Player commands' view of the script string slots.
#pragma once
#include <cstdint>

namespace tolv {

// Script string slot `index`, or null; the string table installs it.
extern const char* (*script_string_at)(uint32_t index);

}  // namespace tolv
