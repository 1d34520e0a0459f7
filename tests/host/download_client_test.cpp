#include "host/download_client.h"

#include <gtest/gtest.h>

#include "host/http_answer.h"
#include "loopback_server.h"

namespace tolv::test {
namespace {

struct AnswerCase {
  const char* name;
  std::string answer;
  ServerMode mode;
  bool ok;
  std::string body_or_error;  // the body on success, else the error's start
};

class DownloadAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(DownloadAnswers, Case) {
  const AnswerCase& c = GetParam();
  LoopbackServer server(c.answer, c.mode);
  DownloadLimits limits;
  limits.timeout_ms = 400;
  limits.max_body_bytes = 64;
  FileStream body;
  const bool ok = DownloadFile("127.0.0.1", server.port().c_str(), "/games/v.txt", body, limits);
  EXPECT_EQ(server.Finish(), "GET /games/v.txt HTTP/1.0\r\nHost: 127.0.0.1:" + server.port() +
                                 "\r\nUser-Agent: TOLV\r\n\r\n");
  ASSERT_EQ(ok, c.ok) << download_error;
  if (ok) {
    EXPECT_EQ(std::string(body.buffer.begin(), body.buffer.end()), c.body_or_error);
    EXPECT_EQ(body.size, c.body_or_error.size());
    EXPECT_EQ(download_error, "");
  } else {
    EXPECT_EQ(download_error.substr(0, c.body_or_error.size()), c.body_or_error);
    EXPECT_EQ(body.size, 0u);
  }
}

const std::string kBig(100, 'b');
INSTANTIATE_TEST_SUITE_P(
    Loopback, DownloadAnswers,
    ::testing::Values(
        AnswerCase{"Length", "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA", ServerMode::kAnswer, true, "hello"},
        AnswerCase{"UntilClose", "HTTP/1.1 200 OK\nServer: t\n\n:7\n", ServerMode::kAnswer, true, ":7\n"},
        AnswerCase{"Empty", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", ServerMode::kAnswer, true, ""},
        AnswerCase{"NotFound", "HTTP/1.0 404 Not Found\r\n\r\nnope", ServerMode::kAnswer, false,
                   "Server answered 404 Not Found"},
        AnswerCase{"ReasonSanitised", "HTTP/1.0 500 %s\x01\r\n\r\n", ServerMode::kAnswer, false, "Server answered 500 ?s?"},
        AnswerCase{"TruncatedBody", "HTTP/1.0 200 OK\r\nContent-Length: 20\r\n\r\nonly ten..", ServerMode::kAnswer,
                   false, "Download truncated"},
        AnswerCase{"TruncatedHead", "HTTP/1.0 200 OK\r\nContent-Le", ServerMode::kAnswer, false, "Download truncated"},
        AnswerCase{"Silent", "", ServerMode::kAnswer, false, "Download truncated"},
        AnswerCase{"NotHttp", "SSH-2.0\r\n\r\n", ServerMode::kAnswer, false, "Not an HTTP answer"},
        AnswerCase{"BadLength", "HTTP/1.0 200 OK\r\nContent-Length: -3\r\n\r\n", ServerMode::kAnswer, false,
                   "Bad Content-Length"},
        AnswerCase{"Chunked", "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello", ServerMode::kAnswer,
                   false, "Unsupported transfer encoding"},
        AnswerCase{"LengthTooLarge", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + kBig, ServerMode::kAnswer, false,
                   "Download too large"},
        AnswerCase{"BodyTooLarge", "HTTP/1.0 200 OK\r\n\r\n" + kBig, ServerMode::kAnswer, false, "Download too large"},
        AnswerCase{"EndlessHeader", "", ServerMode::kEndlessHeader, false, "Answer header too long"},
        AnswerCase{"NeverAnswers", "", ServerMode::kSilent, false, "Download timed out"}),
    [](const ::testing::TestParamInfo<AnswerCase>& i) { return std::string(i.param.name); });

TEST(DownloadClient, RefusesBadRequestsWithoutConnecting) {
  struct Bad {
    const char *host, *port, *path, *error;
  } cases[] = {
      {"127.0.0.1", "80", "no-slash", "Bad download path"},
      {"127.0.0.1", "80", "/a b", "Bad download path"},
      {"127.0.0.1", "80", "/a\r\nX: y", "Bad download path"},
      {"", "80", "/", "Bad server name"},
      {"evil.example/x", "80", "/", "Bad server name"},
      {"127.0.0.1", "0", "/", "Bad server port"},
      {"127.0.0.1", "70000", "/", "Bad server port"},
      {"127.0.0.1", "8o", "/", "Bad server port"},
  };
  for (const Bad& b : cases) {
    FileStream body;
    EXPECT_FALSE(DownloadFile(b.host, b.port, b.path, body)) << b.path;
    EXPECT_EQ(download_error, b.error) << b.host << " " << b.port << " " << b.path;
  }
}

TEST(DownloadClient, NoServerOnThePort) {
  std::string port;
  {
    LoopbackServer gone("", ServerMode::kAnswer);  // a port that was free a moment ago
    port = gone.port();
    FileStream body;
    DownloadFile("127.0.0.1", port.c_str(), "/", body);  // lets the server end
  }
  FileStream body;
  EXPECT_FALSE(DownloadFile("127.0.0.1", port.c_str(), "/", body));
  EXPECT_EQ(download_error, "Could not connect to 127.0.0.1");
}

TEST(HttpAnswer, HeadEndsAtTheFirstBlankLine) {
  EXPECT_EQ(HttpHeadLength("HTTP/1.0 200 OK\r\n\r\nbody\n\n"), 19u);
  EXPECT_EQ(HttpHeadLength("HTTP/1.0 200 OK\n\nbody\r\n\r\n"), 17u);
  EXPECT_EQ(HttpHeadLength("HTTP/1.0 200 OK\r\nA: b\r\n"), 0u);
  HttpAnswerHead h;
  std::string error;
  ASSERT_TRUE(ParseHttpAnswerHead("HTTP/1.0 200 OK\r\ncontent-LENGTH:  12 \r\n\r\n", h, error));
  EXPECT_EQ(h.content_length, 12);
  EXPECT_FALSE(ParseHttpAnswerHead("HTTP/1.0 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", h, error));
  EXPECT_FALSE(ParseHttpAnswerHead("HTTP/1.0 2000 OK\r\n\r\n", h, error));
}

}  // namespace
}  // namespace tolv::test
