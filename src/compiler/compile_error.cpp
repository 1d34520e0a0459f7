#include "compiler/compile_error.h"

#include <cstdarg>
#include <cstdio>

#include "compiler/lexer_link.h"

namespace tolv {

void CompileError(const char* format, ...) {
  char line[512];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(line, sizeof line, format, ap);
  va_end(ap);
  ScriptError(line);
}

}  // namespace tolv
