// Sockets are non-blocking and every wait is a poll bounded by one overall
// deadline, so a silent or slow server costs at most the timeout.
#include "host/download_client.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "host/http_answer.h"

namespace tolv {

std::string download_error;

using Clock = std::chrono::steady_clock;

namespace {

struct Exchange {
  int fd = -1;
  Clock::time_point deadline;
  ~Exchange() {
    if (fd >= 0) close(fd);
  }
  // Milliseconds left, 0 once the deadline has passed.
  int Left() const {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return ms > 0 ? int(ms) : 0;
  }
  // 1 ready, 0 deadline passed, -1 failed.
  int Wait(short events) const {
    for (;;) {
      int left = Left();
      if (left == 0) return 0;
      pollfd p{fd, events, 0};
      int r = poll(&p, 1, left);
      if (r > 0) return 1;
      if (r < 0 && errno != EINTR) return -1;
    }
  }
};

bool Fail(const std::string& why) {
  download_error = why;
  return false;
}

// Host names and paths go into the request line as they are: no blanks,
// no line breaks, nothing outside printable ASCII.
bool PlainText(const char* s, size_t max) {
  size_t n = 0;
  for (; s[n]; n++)
    if (n >= max || s[n] <= 32 || s[n] >= 127) return false;
  return n > 0;
}

bool ValidRequest(const char* host, const char* port, const char* path) {
  if (!host || !PlainText(host, 255) || std::strchr(host, '/')) return Fail("Bad server name");
  if (!path || path[0] != '/' || !PlainText(path, 1024)) return Fail("Bad download path");
  if (!port || !PlainText(port, 5) || std::strspn(port, "0123456789") != std::strlen(port) || std::atoi(port) < 1 ||
      std::atoi(port) > 65535)
    return Fail("Bad server port");
  return true;
}

bool ConnectTo(const addrinfo* a, Exchange& x) {
  x.fd = socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
  if (x.fd < 0) return false;
  if (connect(x.fd, a->ai_addr, a->ai_addrlen) == 0) return true;
  int err = errno, so_error = 0;
  socklen_t len = sizeof so_error;
  if (err == EINPROGRESS && x.Wait(POLLOUT) == 1 && getsockopt(x.fd, SOL_SOCKET, SO_ERROR, &so_error, &len) == 0 &&
      so_error == 0)
    return true;
  close(x.fd);
  x.fd = -1;
  return false;
}

bool Connect(const char* host, const char* port, Exchange& x) {
  addrinfo hints{}, *found = nullptr;
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  if (getaddrinfo(host, port, &hints, &found) != 0 || !found) return Fail(std::string("Server not found: ") + host);
  bool ok = false;
  for (const addrinfo* a = found; a && !ok && x.Left() > 0; a = a->ai_next) ok = ConnectTo(a, x);
  freeaddrinfo(found);
  if (!ok) return Fail(x.Left() == 0 ? "Download timed out" : std::string("Could not connect to ") + host);
  return true;
}

bool SendAll(Exchange& x, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = send(x.fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += size_t(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return Fail("Connection lost");
    int w = x.Wait(POLLOUT);
    if (w <= 0) return Fail(w == 0 ? "Download timed out" : "Connection lost");
  }
  return true;
}

// Next bytes into buf: their count, 0 at the end of the answer, -1 failed
// (download_error set).
ssize_t Receive(Exchange& x, char* buf, size_t size) {
  for (;;) {
    ssize_t n = recv(x.fd, buf, size, 0);
    if (n >= 0) return n;
    int w = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? x.Wait(POLLIN) : -1;
    if (w <= 0) {
      Fail(w == 0 ? "Download timed out" : "Connection lost");
      return -1;
    }
  }
}

bool Append(FileStream& body, const char* bytes, size_t n, const DownloadLimits& limits) {
  if (n == 0) return true;
  if (uint64_t(body.size) + n > limits.max_body_bytes) return Fail("Download too large");
  const uint32_t at = body.size;
  ResizeByteBuffer(body, at + uint32_t(n));
  std::memcpy(body.buffer.data() + at, bytes, n);
  return true;
}

// Reads up to the end of the head; what came after it is left in rest.
bool ReceiveHead(Exchange& x, const DownloadLimits& limits, std::string& head, std::string& rest) {
  char buf[4096];
  for (;;) {
    const size_t end = HttpHeadLength(head);
    if (end ? end > limits.max_header_bytes : head.size() > limits.max_header_bytes)
      return Fail("Answer header too long");
    if (end) {
      rest = head.substr(end);
      head.resize(end);
      return true;
    }
    ssize_t n = Receive(x, buf, sizeof buf);
    if (n < 0) return false;
    if (n == 0) return Fail("Download truncated");
    head.append(buf, size_t(n));
  }
}

bool ReceiveBody(Exchange& x, const HttpAnswerHead& h, const std::string& rest, FileStream& body,
                 const DownloadLimits& limits) {
  if (h.content_length > int64_t(limits.max_body_bytes)) return Fail("Download too large");
  const uint64_t want = h.content_length < 0 ? UINT64_MAX : uint64_t(h.content_length);
  if (!Append(body, rest.data(), size_t(std::min<uint64_t>(rest.size(), want)), limits)) return false;
  char buf[16384];
  while (body.size < want) {
    ssize_t n = Receive(x, buf, size_t(std::min<uint64_t>(sizeof buf, want - body.size)));
    if (n < 0) return false;
    if (n == 0) return h.content_length < 0 ? true : Fail("Download truncated");
    if (!Append(body, buf, size_t(n), limits)) return false;
  }
  return true;
}

bool Fetch(const char* host, const char* port, const char* path, FileStream& body, const DownloadLimits& limits) {
  Exchange x;
  x.deadline = Clock::now() + std::chrono::milliseconds(limits.timeout_ms);
  std::string head, rest, error;
  HttpAnswerHead h;
  if (!Connect(host, port, x) || !SendAll(x, HttpRequest(host, port, path)) || !ReceiveHead(x, limits, head, rest))
    return false;
  if (!ParseHttpAnswerHead(head, h, error)) return Fail(error);
  if (h.status != 200) return Fail("Server answered " + std::to_string(h.status) + " " + h.reason);
  return ReceiveBody(x, h, rest, body, limits);
}

}  // namespace

std::string HttpRequest(const char* host, const char* port, const char* path) {
  const std::string at = std::strcmp(port, "80") ? std::string(host) + ":" + port : host;
  return std::string("GET ") + path + " HTTP/1.0\r\nHost: " + at + "\r\nUser-Agent: TOLV\r\n\r\n";
}

bool DownloadFile(const char* host, const char* port, const char* path, FileStream& body,
                  const DownloadLimits& limits) {
  download_error.clear();
  CreateByteBuffer(body, 0);
  if (ValidRequest(host, port, path) && Fetch(host, port, path, body, limits)) return true;
  CreateByteBuffer(body, 0);
  return false;
}

}  // namespace tolv
