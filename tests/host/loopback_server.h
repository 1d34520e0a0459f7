// A one-connection HTTP server on 127.0.0.1 for the download client's
// tests: it takes one request, keeps its bytes, and answers as scripted.
// Every wait is bounded, so a failing client cannot hang a test.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace tolv::test {

enum class ServerMode { kAnswer, kEndlessHeader, kSilent };

class LoopbackServer {
 public:
  LoopbackServer(std::string answer, ServerMode mode = ServerMode::kAnswer)
      : answer_(std::move(answer)), mode_(mode) {
    listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    bind(listen_fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listen_fd_, 1);
    getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = std::to_string(ntohs(a.sin_port));
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    Finish();
    close(listen_fd_);
  }
  const std::string& port() const { return port_; }
  // Waits for the exchange to end; the request as received.
  const std::string& Finish() {
    if (thread_.joinable()) thread_.join();
    return request_;
  }

 private:
  static constexpr int kWaitMs = 3000;

  static bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, kWaitMs) > 0;
  }
  void ReadRequest(int fd) {
    char buf[1024];
    while (request_.find("\r\n\r\n") == std::string::npos && request_.size() < 65536 && Readable(fd)) {
      ssize_t n = recv(fd, buf, sizeof buf, 0);
      if (n <= 0) return;
      request_.append(buf, size_t(n));
    }
  }
  // Header lines until the client hangs up (or 4 MiB went out).
  static void SendEndlessHeader(int fd) {
    const std::string status = "HTTP/1.0 200 OK\r\n", line = "X-Filler: " + std::string(100, 'a') + "\r\n";
    send(fd, status.data(), status.size(), MSG_NOSIGNAL);
    for (int i = 0; i < 40000; i++)
      if (send(fd, line.data(), line.size(), MSG_NOSIGNAL) <= 0) return;
  }
  void Serve() {
    if (!Readable(listen_fd_)) return;
    int fd = accept(listen_fd_, nullptr, nullptr);
    if (fd < 0) return;
    ReadRequest(fd);
    if (mode_ == ServerMode::kAnswer) send(fd, answer_.data(), answer_.size(), MSG_NOSIGNAL);
    else if (mode_ == ServerMode::kEndlessHeader) SendEndlessHeader(fd);
    else Readable(fd);  // silent until the client gives up
    close(fd);
  }

  std::string answer_;
  ServerMode mode_;
  int listen_fd_ = -1;
  std::string port_;
  std::string request_;
  std::thread thread_;
};

}  // namespace tolv::test
