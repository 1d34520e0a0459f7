// The on-screen message log: the newest 48 lines of notices and non-fatal
// errors, each cut to 40 characters.
#pragma once

namespace tolv {

constexpr int kMessageLines = 48;
constexpr int kMessageWidth = 40;

void ShowMessage(const char* text);
// The whole text, in as many lines of kMessageWidth as it takes.
void ShowMessageLines(const char* text);
// Line i of the log, 0 the oldest; "" when empty.
const char* MessageLine(int i);
void ClearMessages();
// When set, every message is also written to standard error (headless runs).
extern bool message_log_echo;

}  // namespace tolv
