// Whether a save left a temporary file (".<name>.<pid>.<n>.tmp") beside its
// target.
#pragma once
#include <filesystem>
#include <string>

namespace tolv::test {

inline bool TempFileBeside(const std::filesystem::path& target) {
  std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  if (!std::filesystem::is_directory(folder)) return false;
  std::string prefix(1, '.');
  prefix += target.filename().string();
  prefix += '.';
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    std::string n = e.path().filename().string();
    if (n.size() > prefix.size() + 4 && n.compare(0, prefix.size(), prefix) == 0 && n.ends_with(".tmp")) return true;
  }
  return false;
}

}  // namespace tolv::test
