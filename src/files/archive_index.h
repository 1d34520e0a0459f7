// The folder tree of an open archive, read and checked whole when the
// archive opens, so no later walk can leave the index or loop.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

struct ArchiveMember {
  std::string name;
  uint32_t offset, size;  // absolute start in the contents area
};

struct ArchiveDir {
  std::string name;
  int32_t parent;  // the root is its own parent
  std::vector<int32_t> children;
  uint32_t first_member, member_count;
};

struct ArchiveIndex {
  std::vector<ArchiveDir> dirs;  // dirs[0] is the root
  std::vector<ArchiveMember> members;
};

// Parses the unscrambled index and file-table areas; contents_size bounds
// the members. Returns "" or what is wrong.
std::string ParseArchiveIndex(const std::vector<uint8_t>& index, const std::vector<uint8_t>& table,
                              uint32_t contents_size, ArchiveIndex& out);

}  // namespace tolv
