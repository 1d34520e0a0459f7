// Formats a compiler message and ends through ScriptError.
#pragma once

namespace tolv {

[[noreturn]] void CompileError(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tolv
