// Operand text of a resolved alias, written back with the prefix that codes
// to the same operand word without the alias tables.
#include <cstdio>
#include <cstdlib>

#include "files/tokenizer.h"
#include "game/def_rewriter.h"
#include "script/records.h"

namespace tolv {

static bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

static void Put(char* text, char prefix, int64_t n) {
  if (prefix) std::snprintf(text, kTokenSize, "%c%d", prefix, static_cast<int32_t>(n));
  else std::snprintf(text, kTokenSize, "%d", static_cast<int32_t>(n));
}

// The kind whose alias values already hold the offset of a prefix: only
// then is the offset taken out again (another kind keeps both offsets).
static int PrefixKind(char prefix) {
  switch (prefix) {
    case 'A': return 5;
    case 'E': case 'e': return 8;
    case 'R': case 'U': case 'u': return 2;
    case 'a': return 6;
    case 'c': return 4;
    default: return -1;
  }
}

void FormatOperand(char* text, int kind) {
  const int64_t crc = character_register_count;
  if (IsLetter(text[0])) {
    if (PrefixKind(text[0]) != kind) return;
    char digits[kTokenSize];
    std::snprintf(digits, sizeof digits, "%s", text + 1);
    const int64_t n = ParseNumber(digits);
    switch (text[0]) {
      case 'A': return Put(text, 'A', n - crc);
      case 'E': return Put(text, 0, n);
      case 'R': case 'U': case 'u': return Put(text, text[0], n - 256);
      case 'a': return Put(text, 'a', n - crc - 39);
      case 'c': return Put(text, 'c', n - 9);
      case 'e': return Put(text, 'E', n - 7);
      default: return;
    }
  }
  char copy[kTokenSize];
  std::snprintf(copy, sizeof copy, "%s", text);
  const int64_t n = ParseNumber(copy);
  if (n == 0) return;
  switch (kind) {
    case 2: return Put(text, 'U', n - 256);
    case 3: return Put(text, 'C', n);
    case 4: return Put(text, 'c', n - 9);
    case 5: return Put(text, 'A', n - crc);
    case 6: return Put(text, 'a', n - crc - 39);
    case 8: return Put(text, 'E', n - 7);
    case 10: return Put(text, 'R', n - 256);
    default: return Put(text, 0, n);  // constants, raw object variables, function numbers
  }
}

}  // namespace tolv
