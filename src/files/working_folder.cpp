#include "files/working_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "files/game_files.h"

namespace tolv {

static std::string working_folder;

const std::string& WorkingFolder() {
  if (working_folder.empty()) {
    char buf[4096];
    working_folder = getcwd(buf, sizeof buf) ? buf : "/";
  }
  return working_folder;
}

std::string NormalizePath(const std::string& raw) {
  std::string path = raw, out;
  for (char& c : path)
    if (c == '\\') c = '/';
  size_t i = 0;
  while (i < path.size()) {
    size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    i = j + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      size_t cut = out.rfind('/');
      out.resize(cut == std::string::npos ? 0 : cut);
      continue;
    }
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

std::string ComposePath(const char* path) {
  std::string p = path ? path : "";
  if (p.empty() || (p[0] != '/' && p[0] != '\\')) p = WorkingFolder() + "/" + p;
  return NormalizePath(p);
}

static bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int ChangeWorkingFolder(const char* path) {
  std::string target = ComposePath(path);
  if (!IsFolder(target) || chdir(target.c_str()) != 0) return 0;
  working_folder = target;
  return 1;
}

void MirrorWorkingFolder(const std::string& path) {
  working_folder = NormalizePath(path);
  if (IsFolder(working_folder) && chdir(working_folder.c_str()) != 0) {
    // The folder vanished between the two calls; opens still use the string.
  }
}

std::string StripGameFolderPrefix(const std::string& path) {
  const size_t n = game_folder.size();
  if (n == 0 || path.compare(0, n, game_folder) != 0) return path;
  if (path.size() == n) return "/";
  if (path[n] != '/') return path;
  std::string rest = path.substr(n + 1);
  return rest.empty() ? "/" : rest;
}

void SplitPath(const char* path, std::string* drive, std::string* folder, std::string* name) {
  std::string p = path ? path : "";
  size_t start = 0;
  if (p.size() >= 2 && p[1] == ':') start = 2;
  if (drive) {
    drive->clear();
    if (start) drive->push_back(p[0]);
  }
  size_t sep = p.find_last_of("/\\");
  if (sep == std::string::npos || sep < start) {
    if (folder) folder->assign(1, '.');
    if (name) name->assign(p, start, std::string::npos);
    return;
  }
  if (folder) folder->assign(p, start, sep - start);
  if (name) name->assign(p, sep + 1, std::string::npos);
}

}  // namespace tolv
