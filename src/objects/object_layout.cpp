// Loading and saving object layout files. Reading goes through the game
// file layer; writing goes to a temporary file beside the target that is
// renamed over it, so a failed save never destroys the previous layout.
#include "objects/object_layout.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/message_log.h"

namespace tolv {

std::string layout_file_path;

static void ShowPathMessage(const char* fmt, const char* path) {
  char line[300];
  std::snprintf(line, sizeof line, fmt, path);
  ShowMessage(line);
}

static int ReadFileByte(void* ctx) { return std::fgetc(static_cast<FILE*>(ctx)); }

static bool SeekFile(void* ctx, uint32_t pos) {
  return std::fseek(static_cast<FILE*>(ctx), static_cast<long>(pos), SEEK_SET) == 0;
}

void LoadObjectLayout(const char* path) {
  if (path != layout_file_path.c_str()) layout_file_path = path;
  std::string name = layout_file_path;
  FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) {
    ShowPathMessage("Can't open %s", name.c_str());
    return;
  }
  long size = std::fseek(f, 0, SEEK_END) == 0 ? std::ftell(f) : -1;
  if (size < 0 || size > 0x7FFFFFFF || std::fseek(f, 0, SEEK_SET) != 0) size = 0;
  LayoutSource src{ReadFileByte, SeekFile, static_cast<uint32_t>(size), f};
  if (ReadObjectLayout(src) < 0) ShowPathMessage("Not loaded: %s", name.c_str());
  std::fclose(f);
}

// The whole buffer to fd; false on any failed write.
static bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t k = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    done += static_cast<size_t>(k);
  }
  return true;
}

static bool WriteReplacing(const std::string& target, const std::vector<uint8_t>& bytes) {
  std::string tmp = target + ".tmp";
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(tmp.c_str(), target.c_str()) == 0) return true;
  ::unlink(tmp.c_str());
  return false;
}

bool SaveObjectLayout(const char* path) {
  std::string name = path;  // path may be layout_file_path itself
  std::vector<uint8_t> bytes;
  if (name.empty() || !WriteObjectLayout(bytes) || !WriteReplacing(name, bytes)) {
    ShowPathMessage("Cannot write file %s", name.c_str());
    return false;
  }
  if (name == layout_file_path) ShowPathMessage("Saved %s", name.c_str());
  return true;
}

}  // namespace tolv
