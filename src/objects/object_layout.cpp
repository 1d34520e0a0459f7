// Loading and saving object layout files. Reading goes through the game
// file layer; writing goes to a temporary file beside the target that is
// renamed over it, so a failed save never destroys the previous layout.
#include "objects/object_layout.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/message_log.h"
#include "files/game_files.h"
#include "files/working_folder.h"

namespace tolv {

std::string layout_file_path;

static void ShowPathMessage(const char* fmt, const char* path) {
  char line[300];
  std::snprintf(line, sizeof line, fmt, path);
  ShowMessage(line);
}

static int ReadLayerByte(void*) { return ReadGameFileByte(); }

static bool SeekLayer(void*, uint32_t pos) {
  return pos <= 0x7FFFFFFF && SeekGameFile(static_cast<int32_t>(pos), 0) == 0;
}

void LoadObjectLayout(const char* path) {
  if (path != layout_file_path.c_str()) layout_file_path = path ? path : "";
  std::string name = layout_file_path;
  if (!OpenGameFile(name.c_str())) {
    ShowPathMessage("Can't open %s", name.c_str());
    return;
  }
  uint32_t size = SeekGameFile(0, 2) == 0 ? TellGameFile() : 0;
  RewindGameFile();
  LayoutSource src{ReadLayerByte, SeekLayer, size, nullptr};
  if (ReadObjectLayout(src) < 0) ShowPathMessage("Not loaded: %s", name.c_str());
  CloseGameFile();
}

// Where a save of path goes: a leading separator is the game root, anything
// else the current folder; it must stay inside the game folder.
static bool WritePath(const std::string& path, std::string* out) {
  if (game_folder.empty() || path.empty()) return false;
  std::string p = path;
  if (p[0] == '/' || p[0] == '\\') p = game_folder + "/" + p;
  *out = ComposePath(p.c_str());
  return out->size() > game_folder.size() + 1 && out->compare(0, game_folder.size(), game_folder) == 0 &&
         (*out)[game_folder.size()] == '/';
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
  std::string name = path ? path : "";  // path may be layout_file_path itself
  std::string target;
  std::vector<uint8_t> bytes;
  if (!WritePath(name, &target) || !WriteObjectLayout(bytes) || !WriteReplacing(target, bytes)) {
    ShowPathMessage("Cannot write file %s", name.c_str());
    return false;
  }
  if (name == layout_file_path) ShowPathMessage("Saved %s", name.c_str());
  return true;
}

}  // namespace tolv
