#include "base/message_log.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace tolv {

static char message_lines[kMessageLines][kMessageWidth + 1];
bool message_log_echo = false;

void ShowMessage(const char* text) {
  if (!text) text = "";
  std::memmove(message_lines[0], message_lines[1], sizeof(message_lines[0]) * (kMessageLines - 1));
  char* line = message_lines[kMessageLines - 1];
  std::strncpy(line, text, kMessageWidth);
  line[kMessageWidth] = 0;
  if (message_log_echo) std::fprintf(stderr, "%s\n", line);
}

void ShowMessageLines(const char* text) {
  const std::string all = text ? text : "";
  size_t i = 0;
  do {
    ShowMessage(all.substr(i, kMessageWidth).c_str());
    i += kMessageWidth;
  } while (i < all.size());
}

const char* MessageLine(int i) { return i >= 0 && i < kMessageLines ? message_lines[i] : ""; }

void ClearMessages() { std::memset(message_lines, 0, sizeof message_lines); }

}  // namespace tolv
