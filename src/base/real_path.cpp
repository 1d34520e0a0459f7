#include "base/real_path.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace tolv {

std::string RealPath(const std::string& path) {
  char buf[PATH_MAX];
  return realpath(path.c_str(), buf) ? std::string(buf) : std::string();
}

// The kernel's name of the descriptor is the file's real path at this
// moment, whatever path opened it (a folder renamed or swapped for a link
// afterwards does not fool it).
std::string RealPathOfFd(int fd) {
  char link[32], buf[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, buf, sizeof buf - 1);
  if (n <= 0 || buf[0] != '/') return "";
  return std::string(buf, static_cast<size_t>(n));
}

bool IsPathWithin(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.compare(0, folder.size(), folder) != 0) return false;
  return path.size() == folder.size() || folder == "/" || path[folder.size()] == '/';
}

}  // namespace tolv
