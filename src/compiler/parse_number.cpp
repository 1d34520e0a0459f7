#include "compiler/parse_number.h"

namespace tolv {

static int Digit(char c, int base) {
  int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
  return d < base ? d : -1;
}

// Hex or binary after the prefix: non-digits are skipped while the value
// is 0; after that the first one ends the number.
static uint32_t ParseBased(const char* s, int base) {
  uint32_t v = 0;
  for (; *s; s++) {
    int d = Digit(*s, base);
    if (d < 0) {
      if (v) break;
      continue;
    }
    v = v * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    if (base == 2) v &= 0x7FFFFFFF;
  }
  return v;
}

static int32_t ParseDecimal(const char* s) {
  while (*s == ' ' || *s == '\t') s++;
  bool neg = *s == '-';
  if (*s == '-' || *s == '+') s++;
  int64_t v = 0;
  for (; *s >= '0' && *s <= '9'; s++) {
    v = v * 10 + (*s - '0');
    if (v > 2147483648LL) v = 2147483648LL;
  }
  if (neg) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  return static_cast<int32_t>(v);
}

int32_t ParseNumber(char* t) {
  if (t[0] == '$' || t[0] == '%') {
    int base = t[0] == '$' ? 16 : 2;
    t[0] = ' ';
    return static_cast<int32_t>(ParseBased(t + 1, base));
  }
  if (t[0] == '-' && (t[1] == '$' || t[1] == '%')) {
    int base = t[1] == '$' ? 16 : 2;
    t[0] = t[1] = ' ';
    return static_cast<int32_t>(0u - ParseBased(t + 2, base));
  }
  if (t[0] == '\'') return static_cast<uint8_t>(t[1]);
  return ParseDecimal(t);
}

}  // namespace tolv
