#include "files/exclude_list.h"

#include "files/file_stream.h"
#include "files/tokenizer.h"

namespace tolv {

std::vector<std::string> exclude_patterns;

// Parameter lines: the ':' characters that are not inside a comment.
static size_t CountParameters(FileStream& s) {
  size_t n = 0;
  bool comment = false;
  while (!IsStreamEnd(s)) {
    int c = ReadStreamChar(s);
    if (c == ';') comment = true;
    else if (c == '\r' || c == '\n') comment = false;
    else if (c == ':' && !comment) n++;
  }
  RewindStream(s);
  return n;
}

void LoadExcludePatterns() {
  exclude_patterns.clear();
  FileStream s;
  if (!OpenStream("exclude.def", s)) return;
  size_t n = CountParameters(s);
  if (n > kMaxExcludePatterns) n = kMaxExcludePatterns;
  for (size_t i = 0; i < n; i++) {
    ReadToken(s, text_buffer);
    exclude_patterns.push_back(text_buffer);
  }
  CloseStream(s);
}

}  // namespace tolv
