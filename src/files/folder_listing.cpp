#include "files/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "files/exclude_list.h"
#include "files/working_folder.h"

namespace tolv {

std::vector<std::string> folder_listing;

void ListFolder(const char* path, const char* pattern) {
  folder_listing.clear();
  const std::string folder = ComposePath(path);
  DIR* d = opendir(folder.c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    struct stat st;
    if (stat((folder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode)) name += '/';
    folder_listing.push_back(name);
  }
  closedir(d);
  std::sort(folder_listing.begin(), folder_listing.end());
  std::string p = pattern ? pattern : "*";
  if (p != "*" && p != "*.*") KeepMatchingNames(pattern);
}

static char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// s is where the last '*' stands, k how far the current run has matched past it.
int MatchWildcard(const char* name, const char* pattern) {
  size_t s = 0, k = 0;
  bool inner_dot = false;
  for (size_t i = 0; name[i]; i++) {
    const char c = name[i];
    if (pattern[s + k] == '*') {
      s += k;
      k = 1;
    }
    const char want = pattern[s + k];
    if (want && (want == '?' || Fold(want) == Fold(c))) k++;
    else if (pattern[s] == '*') k = 1;
    else return 0;
    if (i > 0 && c == '.') inner_dot = true;
    const char next = pattern[s + k];
    if (!name[i + 1]) {
      if (next == 0) return 1;
      if (next == '*') return pattern[s + k + 1] == 0;
      if (next == '.') return pattern[s + k + 1] == 0 && !inner_dot;
      return 0;
    }
    if (next == 0) return k == 1 && pattern[s] == '*';
  }
  return 0;
}

template <class Drop>
static void RemoveNames(Drop drop) {
  folder_listing.erase(std::remove_if(folder_listing.begin(), folder_listing.end(), drop), folder_listing.end());
  folder_listing.shrink_to_fit();
}

void KeepMatchingNames(const char* pattern) {
  RemoveNames([&](const std::string& n) { return !MatchWildcard(n.c_str(), pattern); });
}

void FilterFolderListing(const char* pattern) {
  RemoveNames([&](const std::string& n) { return n.back() != '/' && !MatchWildcard(n.c_str(), pattern); });
}

void DropMatchingNames(const char* pattern) {
  RemoveNames([&](const std::string& n) { return MatchWildcard(n.c_str(), pattern); });
}

void DropExcludedNames() {
  for (const std::string& p : exclude_patterns) DropMatchingNames(p.c_str());
  DropMatchingNames("exclude.def");
}

}  // namespace tolv
