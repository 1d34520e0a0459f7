// Game folder deletion works on folder descriptors and never follows a link,
// so nothing outside the game folder can be reached through one.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "base/message_log.h"
#include "files/archive_format.h"
#include "files/archive_writer.h"
#include "files/folder_listing.h"
#include "files/game_files.h"
#include "files/working_folder.h"

namespace tolv {

static int ReportLeft(const std::string& path) {
  std::string line = "Could not delete " + path;
  ShowMessage(line.c_str());
  return 1;
}

static std::vector<std::string> FolderNames(int fd) {
  std::vector<std::string> names;
  int dup_fd = dup(fd);
  DIR* d = dup_fd < 0 ? nullptr : fdopendir(dup_fd);
  if (!d) {
    if (dup_fd >= 0) close(dup_fd);
    return names;
  }
  while (dirent* e = readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  closedir(d);
  return names;
}

// Empties the folder open as fd; returns the number of entries left in it.
static int EmptyFolder(int fd, const std::string& path, uint32_t depth) {
  int left = 0;
  for (const std::string& n : FolderNames(fd)) {
    const std::string sub = path + "/" + n;
    struct stat st;
    if (n[0] == '.' || fstatat(fd, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      left += ReportLeft(sub);
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      int child = depth < kArchiveMaxDepth ? openat(fd, n.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW) : -1;
      int inner = child < 0 ? 1 : EmptyFolder(child, sub, depth + 1);
      if (child >= 0) close(child);
      if (inner == 0 && unlinkat(fd, n.c_str(), AT_REMOVEDIR) == 0) continue;
      left += child < 0 || inner == 0 ? ReportLeft(sub) : 1;
    } else if (unlinkat(fd, n.c_str(), 0) != 0) {
      left += ReportLeft(sub);
    }
  }
  return left;
}

int DeleteGameFolder() {
  const std::string& name = pack_folder_name;
  const std::string base = base_folder.empty() ? WorkingFolder() : base_folder;
  struct stat st;
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos ||
      lstat((base + "/" + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::string line = "Not a game folder: " + name;
    ShowMessage(line.c_str());
    return -1;
  }
  int base_fd = open(base.c_str(), O_RDONLY | O_DIRECTORY);
  int fd = base_fd < 0 ? -1 : openat(base_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  int left = fd < 0 ? ReportLeft(name) : EmptyFolder(fd, name, 1);
  if (fd >= 0) close(fd);
  if (left == 0 && unlinkat(base_fd, name.c_str(), AT_REMOVEDIR) != 0) left = ReportLeft(name);
  if (base_fd >= 0) close(base_fd);
  return left;
}

}  // namespace tolv
