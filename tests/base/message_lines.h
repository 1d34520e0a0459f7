// The message log as the tests read it.
#pragma once
#include <string>

#include "base/message_log.h"

namespace tolv::test {

// Whether any line of the log is `text`.
inline bool Logged(const std::string& text) {
  for (int i = 0; i < kMessageLines; i++)
    if (text == MessageLine(i)) return true;
  return false;
}

// The newest line.
inline std::string LastMessage() { return MessageLine(kMessageLines - 1); }

}  // namespace tolv::test
