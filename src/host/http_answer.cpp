#include "host/http_answer.h"

#include <cctype>
#include <vector>

namespace tolv {

size_t HttpHeadLength(const std::string& text) {
  size_t crlf = text.find("\r\n\r\n"), lf = text.find("\n\n");
  if (crlf != std::string::npos && (lf == std::string::npos || crlf + 2 <= lf)) return crlf + 4;
  return lf == std::string::npos ? 0 : lf + 2;
}

static std::vector<std::string> HeadLines(const std::string& head) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < head.size()) {
    size_t end = head.find('\n', start);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

static std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

static std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// Server text goes to the message log: printable characters only.
static std::string Printable(const std::string& s) {
  std::string out;
  for (char c : s)
    if (out.size() < 40) out += c >= 32 && c < 127 && c != '%' ? c : '?';
  return out;
}

// "HTTP/1.x 200 OK": three digits after the version.
static bool ParseStatusLine(const std::string& line, HttpAnswerHead& out) {
  if (line.compare(0, 5, "HTTP/") != 0) return false;
  size_t sp = line.find(' ');
  if (sp == std::string::npos || line.size() < sp + 4) return false;
  int code = 0;
  for (size_t i = sp + 1; i < sp + 4; i++) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
    code = code * 10 + (line[i] - '0');
  }
  if (line.size() > sp + 4 && line[sp + 4] != ' ') return false;
  out.status = code;
  out.reason = Printable(Trim(line.size() > sp + 4 ? line.substr(sp + 5) : ""));
  return true;
}

static bool ParseLength(const std::string& value, int64_t& out) {
  if (value.empty() || value.size() > 15) return false;
  int64_t n = 0;
  for (char c : value) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    n = n * 10 + (c - '0');
  }
  out = n;
  return true;
}

bool ParseHttpAnswerHead(const std::string& head, HttpAnswerHead& out, std::string& error) {
  out = HttpAnswerHead{};
  const std::vector<std::string> lines = HeadLines(head);
  if (lines.empty() || !ParseStatusLine(lines[0], out)) {
    error = "Not an HTTP answer";
    return false;
  }
  for (size_t i = 1; i < lines.size(); i++) {
    size_t colon = lines[i].find(':');
    if (colon == std::string::npos) continue;
    const std::string name = Lower(Trim(lines[i].substr(0, colon))), value = Trim(lines[i].substr(colon + 1));
    if (name == "content-length") {
      int64_t n = 0;
      if (!ParseLength(value, n) || (out.content_length >= 0 && n != out.content_length)) {
        error = "Bad Content-Length in answer";
        return false;
      }
      out.content_length = n;
    } else if (name == "transfer-encoding" && Lower(value) != "identity") {
      error = "Unsupported transfer encoding";
      return false;
    }
  }
  return true;
}

}  // namespace tolv
