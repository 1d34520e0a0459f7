// The on-screen message log: the newest 48 lines of notices and non-fatal
// errors, each cut to 40 characters, each stamped with when it came so
// that only recent lines are shown.
#pragma once
#include <cstdint>

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

// Milliseconds of a steady clock that stamps each line (tests put their
// own in).
extern uint32_t (*message_clock)();
// Up to `most` of the newest lines posted less than `age_ms` ago and since
// the last RetireMessages, oldest first, into `lines`; returns how many.
int RecentMessages(const char** lines, int most, uint32_t age_ms);
// Every line so far stays in the log but no longer counts as recent (a
// new game or the launcher starts with a clean screen).
void RetireMessages();

}  // namespace tolv
