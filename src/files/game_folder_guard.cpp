#include "files/game_folder_guard.h"

#include <unistd.h>

#include "base/real_path.h"
#include "base/regular_file.h"
#include "base/write_guard.h"
#include "files/game_files.h"

namespace tolv {

static bool InRealFolder(const std::string& real_path, const std::string& folder) {
  const std::string real = RealPath(folder);
  return !real.empty() && IsPathWithin(real_path, real);
}

bool InGameWriteArea(const std::string& real_folder) {
  if (game_folder.empty()) return true;
  return !real_folder.empty() && InRealFolder(real_folder, game_folder);
}

bool InGameReadArea(const std::string& real_path) {
  if (game_folder.empty()) return true;
  if (real_path.empty()) return false;
  return InRealFolder(real_path, game_folder) || (!base_folder.empty() && InRealFolder(real_path, base_folder + "/default"));
}

FILE* OpenConfinedFile(const std::string& path) {
  const int fd = OpenRegularFile(path.c_str());
  if (fd < 0) return nullptr;
  std::string real = RealPathOfFd(fd);
  if (real.empty()) real = RealPath(path);
  FILE* f = InGameReadArea(real) ? fdopen(fd, "rb") : nullptr;
  if (!f) close(fd);
  return f;
}

void InstallGameWriteGuard() { write_folder_allowed = InGameWriteArea; }

}  // namespace tolv
