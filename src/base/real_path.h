// Where a path or an open file really lies, every link resolved: the
// confinement checks compare these, never the text of a path.
#pragma once
#include <string>

namespace tolv {

// "" when path does not exist.
std::string RealPath(const std::string& path);
// The real path of an open file or folder ("" when it cannot be told).
std::string RealPathOfFd(int fd);
// path is folder itself or lies below it (both absolute, no trailing '/').
bool IsPathWithin(const std::string& path, const std::string& folder);

}  // namespace tolv
