#include "base/write_guard.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/real_path.h"

namespace tolv {

bool (*write_folder_allowed)(const std::string& real_folder) = nullptr;

int OpenWriteFolder(const std::string& path, std::string* name) {
  const size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  *name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name->empty() || *name == "." || *name == "..") return -1;
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  // Checked on the open folder, so a link swapped in after the check
  // cannot move the write elsewhere.
  if (write_folder_allowed && !write_folder_allowed(RealPathOfFd(fd))) {
    ::close(fd);
    return -1;
  }
  return fd;
}

static bool SingleRegular(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_nlink <= 1; }

bool MayReplace(int folder, const std::string& name) {
  struct stat st;
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return true;
  return !S_ISREG(st.st_mode) || st.st_nlink <= 1;
}

int OpenWriteTarget(int folder, const std::string& name, int flags) {
  const bool truncate = flags & O_TRUNC;
  flags &= ~O_TRUNC;
  int fd = ::openat(folder, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st;
  int fl = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &st) != 0 || !SingleRegular(st) || fl < 0 || ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) != 0 ||
      (truncate && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace tolv
