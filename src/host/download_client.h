// The web download client: one HTTP/1.0 GET over TCP into a memory
// stream, on the calling (main) thread, blocking at most until its
// deadline. It writes nothing but the stream it is given.
#pragma once
#include <cstdint>
#include <string>

#include "files/file_stream.h"

namespace tolv {

struct DownloadLimits {
  uint32_t timeout_ms = 5000;               // the whole exchange, name lookup aside
  uint32_t max_header_bytes = 16384;        // status line and header fields
  uint32_t max_body_bytes = 16 * 1024 * 1024;
};

// Why the last download failed; "" after a success.
extern std::string download_error;

// The request DownloadFile sends (the port named in Host unless it is 80).
std::string HttpRequest(const char* host, const char* port, const char* path);

// GET path (starting with '/') from host (a name or address) at port
// (decimal). true: a 200 answer arrived whole and body holds its content,
// made with CreateByteBuffer and grown with ResizeByteBuffer; false: body
// is empty and download_error says why (another status, a truncated or
// oversized answer, the deadline passed, no connection).
bool DownloadFile(const char* host, const char* port, const char* path, FileStream& body,
                  const DownloadLimits& limits = {});

}  // namespace tolv
