// The names a folder's "exclude.def" keeps out of the archive.
#pragma once
#include <string>
#include <vector>

namespace tolv {

constexpr size_t kMaxExcludePatterns = 255;
extern std::vector<std::string> exclude_patterns;

// Reads "exclude.def" of the current folder; absent: the list is empty.
void LoadExcludePatterns();

}  // namespace tolv
