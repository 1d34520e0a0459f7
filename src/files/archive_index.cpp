#include "files/archive_index.h"

#include <cstring>

#include "files/archive_format.h"

namespace tolv {

namespace {

struct IndexParser {
  const std::vector<uint8_t>& index;
  const std::vector<uint8_t>& table;
  uint32_t contents_size;
  ArchiveIndex& out;
  std::string error;

  uint32_t Get(const std::vector<uint8_t>& a, size_t at, int width) const {
    uint32_t v = 0;
    for (int i = 0; i < width; i++) v = v << 8 | a[at + i];
    return v;
  }
  bool Fail(const char* why) {
    if (error.empty()) error = why;
    return false;
  }

  bool ParseFiles(uint32_t at, uint32_t count, ArchiveDir& dir) {
    dir.first_member = static_cast<uint32_t>(out.members.size());
    dir.member_count = count;
    for (uint32_t i = 0; i < count; i++) {
      if (at >= table.size()) return Fail("file table runs past its area");
      uint32_t len = table[at];
      if (len < 10 || at + len > table.size()) return Fail("bad file entry length");
      uint32_t n = len - 9;
      const char* name = reinterpret_cast<const char*>(&table[at + 1]);
      if (table[at + 1 + n] != 0 || std::memchr(name, 0, n)) return Fail("file name without its NUL");
      ArchiveMember m{std::string(name, n), Get(table, at + 2 + n, 4), Get(table, at + 6 + n, 3)};
      if (m.offset > contents_size || m.size > contents_size - m.offset) return Fail("member outside the contents");
      out.members.push_back(m);
      at += len;
    }
    return true;
  }

  // Parses the record at index offset at; end receives the offset after it.
  bool ParseRecord(uint32_t at, uint32_t parent_record, int32_t self, uint32_t depth, uint32_t& end) {
    if (depth > kArchiveMaxDepth) return Fail("folders nested too deep");
    if (at > index.size() || index.size() - at < kArchiveRecordSize) return Fail("folder record runs past the index");
    if (Get(index, at + 4, 4) != parent_record) return Fail("bad parent link");
    if (!ParseFiles(Get(index, at, 3), index[at + 3], out.dirs[self])) return false;
    uint32_t subs = index[at + 8];
    uint32_t pos = at + kArchiveRecordSize;
    for (uint32_t i = 0; i < subs; i++) {
      if (index.size() - pos < 3) return Fail("folder entry runs past the index");
      uint32_t size = Get(index, pos, 3);
      if (size > index.size() - pos) return Fail("folder entry runs past the index");
      const uint8_t* name = &index[pos + 3];
      const void* nul = std::memchr(name, 0, size > 3 ? size - 3 : 0);
      if (!nul) return Fail("folder name without its NUL");
      uint32_t n = static_cast<uint32_t>(static_cast<const uint8_t*>(nul) - name);
      if (n == 0 || n > kArchiveMaxFolderName) return Fail("bad folder name");
      int32_t child = static_cast<int32_t>(out.dirs.size());
      out.dirs.push_back(ArchiveDir{std::string(reinterpret_cast<const char*>(name), n), self, {}, 0, 0});
      out.dirs[self].children.push_back(child);
      uint32_t child_end = 0;
      if (!ParseRecord(pos + 4 + n, at, child, depth + 1, child_end)) return false;
      if (child_end != pos + size) return Fail("folder entry size does not match its contents");
      pos = child_end;
    }
    end = pos;
    return true;
  }
};

}  // namespace

std::string ParseArchiveIndex(const std::vector<uint8_t>& index, const std::vector<uint8_t>& table,
                              uint32_t contents_size, ArchiveIndex& out) {
  out = ArchiveIndex{};
  out.dirs.push_back(ArchiveDir{"", 0, {}, 0, 0});
  IndexParser p{index, table, contents_size, out, {}};
  uint32_t end = 0;
  if (!p.ParseRecord(0, 0, 0, 0, end)) {
    out = ArchiveIndex{};
    return p.error;
  }
  return "";
}

}  // namespace tolv
