// Tokenizer fuzzing: the first byte picks the line mode and whether aliases
// are substituted; fatal errors are caught through the error hook.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "files/file_stream.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"

using namespace tolv;

struct Fatal {};
static void Throw(const char*, const char*) { throw Fatal{}; }

// Values of every width, up to the longest decimal.
static int Resolve(char* name, int mode) {
  static const int32_t values[] = {0, 7, -1, 123456, INT32_MIN};
  std::snprintf(name, kTokenSize, "%d", values[std::strlen(name) % 5]);
  return mode == 1 ? 2 : -1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  script_error_hook = Throw;
  resolve_alias = data[0] & 4 ? Resolve : nullptr;
  game_unpacked = 1;
  FileStream s;
  CreateByteBuffer(s, static_cast<uint32_t>(size - 1));
  if (size > 1) std::memcpy(s.buffer.data(), data + 1, size - 1);
  s.line_mode = data[0] % 3;
  include_reading = data[0] & 8 ? 0 : 1;
  char token[kTokenSize];
  try {
    for (size_t i = 0; i <= size && ReadToken(s, token) != -1; i++) {
      if (std::strlen(token) >= kTokenSize) __builtin_trap();
      ParseNumber(token);
    }
  } catch (const Fatal&) {
  }
  RewindStream(s);
  char line[64];
  while (!IsStreamEnd(s)) ReadStreamLine(line, sizeof line, s);
  current_stream = nullptr;
  return 0;
}
