// The head of an HTTP answer: status line and the header fields the
// download client acts on.
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

struct HttpAnswerHead {
  int status = 0;
  std::string reason;              // printable, at most 40 characters
  int64_t content_length = -1;     // -1: the body ends where the connection does
};

// Length of the head including the blank line that ends it, 0 while the
// text holds no end of the head yet.
size_t HttpHeadLength(const std::string& text);

// Parses a whole head; false with the reason in error for a head that is
// not HTTP, a bad Content-Length, or a transfer coding (a 1.0 client takes
// the body as it comes).
bool ParseHttpAnswerHead(const std::string& head, HttpAnswerHead& out, std::string& error);

}  // namespace tolv
