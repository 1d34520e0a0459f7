#include "base/message_log.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace tolv {

static uint32_t SteadyMilliseconds() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct MessageStamp {
  uint32_t posted = 0;  // message_clock
  bool retired = true;  // an empty line is never recent
};

static char message_lines[kMessageLines][kMessageWidth + 1];
static MessageStamp message_stamps[kMessageLines];
bool message_log_echo = false;
uint32_t (*message_clock)() = SteadyMilliseconds;

void ShowMessage(const char* text) {
  if (!text) text = "";
  std::memmove(message_lines[0], message_lines[1], sizeof(message_lines[0]) * (kMessageLines - 1));
  std::memmove(message_stamps, message_stamps + 1, sizeof(message_stamps[0]) * (kMessageLines - 1));
  char* line = message_lines[kMessageLines - 1];
  std::strncpy(line, text, kMessageWidth);
  line[kMessageWidth] = 0;
  message_stamps[kMessageLines - 1] = MessageStamp{message_clock(), false};
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

void ClearMessages() {
  std::memset(message_lines, 0, sizeof message_lines);
  RetireMessages();
}

// Ages are differences, so the clock may wrap.
int RecentMessages(const char** lines, int most, uint32_t age_ms) {
  const uint32_t now = message_clock();
  int first = kMessageLines;
  while (first > 0 && kMessageLines - first < most) {
    const MessageStamp& s = message_stamps[first - 1];
    if (s.retired || now - s.posted >= age_ms) break;
    first--;
  }
  for (int i = first; i < kMessageLines; i++) lines[i - first] = message_lines[i];
  return kMessageLines - first;
}

void RetireMessages() {
  for (MessageStamp& s : message_stamps) s.retired = true;
}

}  // namespace tolv
