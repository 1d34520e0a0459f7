#include "files/archive_reader.h"

#include <cstdio>
#include <vector>

#include "base/message_log.h"
#include "files/archive_format.h"
#include "files/archive_index.h"
#include "files/game_files.h"
#include "files/game_folder_guard.h"
#include "files/working_folder.h"
#include "script/random.h"

namespace tolv {

std::string virtual_folder = "/";
std::string archive_error;
uint8_t scramble_table[16];

static FILE* archive_file;
static uint64_t archive_file_pos;  // where the platform handle stands
static ArchiveIndex archive_index;
static int32_t folder_cursor;

static bool ReadScrambled(uint32_t from, uint32_t len, std::vector<uint8_t>& out) {
  out.resize(len);
  if (len == 0) return true;
  if (fseeko(archive_file, from, SEEK_SET) != 0 || std::fread(out.data(), 1, len, archive_file) != len) return false;
  for (uint32_t i = 0; i < len; i++) out[i] ^= ScrambleKey(scramble_table, from + i);
  archive_file_pos = uint64_t{from} + len;
  return true;
}

static int RejectArchive(const std::string& why) {
  CloseArchive();
  archive_error = "Damaged archive: " + why;
  ShowMessage(archive_error.c_str());
  return -1;
}

// Trailer: seed, index start I and file-table start F interleaved from the
// most significant byte; the seed bytes are plain.
static std::string ReadTrailer(uint32_t tail, uint32_t& seed, uint32_t& index_start, uint32_t& table_start) {
  uint8_t t[kArchiveTrailerSize];
  if (fseeko(archive_file, tail, SEEK_SET) != 0 || std::fread(t, 1, sizeof t, archive_file) != sizeof t)
    return "unreadable trailer";
  seed = index_start = table_start = 0;
  for (int i = 0; i < 4; i++) seed = seed << 8 | t[3 * i];
  BuildScrambleTable(seed, scramble_table);
  for (uint32_t i = 0; i < 4; i++) {
    index_start = index_start << 8 | (t[3 * i + 1] ^ ScrambleKey(scramble_table, tail + 3 * i + 1));
    table_start = table_start << 8 | (t[3 * i + 2] ^ ScrambleKey(scramble_table, tail + 3 * i + 2));
  }
  if (index_start > table_start || table_start > tail) return "index outside the file";
  if (table_start - index_start < kArchiveRecordSize) return "index too short";
  return "";
}

int OpenArchive(const char* path) {
  CloseArchive();
  archive_error.clear();
  archive_file = OpenConfinedFile(ComposePath(path));
  if (!archive_file) return 0;
  if (fseeko(archive_file, 0, SEEK_END) != 0) return RejectArchive("unreadable");
  off_t size = ftello(archive_file);
  if (size < static_cast<off_t>(kArchiveTailSize + kArchiveRecordSize)) return RejectArchive("too short");
  if (size > static_cast<off_t>(UINT32_MAX)) return RejectArchive("too large");
  uint32_t tail = static_cast<uint32_t>(size) - kArchiveTailSize;
  uint32_t seed, index_start, table_start;
  std::string why = ReadTrailer(tail, seed, index_start, table_start);
  if (!why.empty()) return RejectArchive(why);
  std::vector<uint8_t> index, table;
  if (!ReadScrambled(index_start, table_start - index_start, index) ||
      !ReadScrambled(table_start, tail - table_start, table))
    return RejectArchive("unreadable index");
  why = ParseArchiveIndex(index, table, index_start, archive_index);
  if (!why.empty()) return RejectArchive(why);
  random_seed = BuildScrambleTable(seed, scramble_table);
  virtual_folder.assign(1, '/');
  folder_cursor = 0;
  game_unpacked = 0;
  NoteGameFileMode();
  return 1;
}

void CloseArchive() {
  if (archive_file) std::fclose(archive_file);
  archive_file = nullptr;
  archive_index = ArchiveIndex{};
  folder_cursor = 0;
  virtual_folder.assign(1, '/');
  game_unpacked = 1;
  NoteGameFileMode();
}

int ReadArchiveByte(uint32_t pos) {
  if (!archive_file) return -1;
  if (archive_file_pos != pos && fseeko(archive_file, pos, SEEK_SET) != 0) return -1;
  int c = std::getc(archive_file);
  if (c == EOF) {
    archive_file_pos = UINT64_MAX;
    return -1;
  }
  archive_file_pos = uint64_t{pos} + 1;
  return c ^ ScrambleKey(scramble_table, pos);
}

int EnterArchiveFolder(const char* name) {
  if (!archive_file) return 0;
  std::string n = name;
  if (n == ".") return 1;
  if (n == "/" || n == "\\") {
    folder_cursor = 0;
    virtual_folder.assign(1, '/');
    return 1;
  }
  const ArchiveDir& dir = archive_index.dirs[folder_cursor];
  if (n == "..") {
    size_t cut = virtual_folder.rfind('/');
    virtual_folder.resize(cut == 0 || cut == std::string::npos ? 1 : cut);
    folder_cursor = dir.parent;
    return 1;
  }
  for (int32_t child : dir.children) {
    if (archive_index.dirs[child].name != n) continue;
    if (virtual_folder != "/") virtual_folder += '/';
    virtual_folder += n;
    folder_cursor = child;
    return 1;
  }
  return 0;
}

static bool IsSeparator(char c) { return c == '/' || c == '\\'; }

int EnterArchivePath(const char* path) {
  size_t i = 0;
  std::string p = path;
  if (!p.empty() && IsSeparator(p[0])) {
    EnterArchiveFolder("/");
    i = 1;
  }
  while (i < p.size()) {
    size_t j = i;
    while (j < p.size() && !IsSeparator(p[j])) j++;
    if (j == i) return 0;
    if (!EnterArchiveFolder(p.substr(i, j - i).c_str())) return 0;
    i = j + 1;
  }
  return 1;
}

int FindArchiveMember(const char* name, uint32_t* start, uint32_t* end) {
  if (!archive_file) return 0;
  const int32_t saved_cursor = folder_cursor;
  const std::string saved_folder = virtual_folder;
  std::string n = name;
  size_t sep = n.find_last_of("/\\");
  std::string file = sep == std::string::npos ? n : n.substr(sep + 1);
  bool found = false;
  if (sep == std::string::npos || EnterArchivePath(sep == 0 ? "/" : n.substr(0, sep).c_str())) {
    const ArchiveDir& dir = archive_index.dirs[folder_cursor];
    for (uint32_t i = 0; i < dir.member_count && !found; i++) {
      const ArchiveMember& m = archive_index.members[dir.first_member + i];
      if (m.name != file) continue;
      *start = m.offset;
      *end = m.offset + m.size;
      found = true;
    }
  }
  folder_cursor = saved_cursor;
  virtual_folder = saved_folder;
  return found;
}

int ChangeGameFolder(const char* path) {
  std::string p = path ? path : "";
  if (game_unpacked) {
    if (!p.empty() && p[0] == '\\') p[0] = '/';
    if (!p.empty() && p[0] == '/') p = game_folder + (p == "/" ? "" : p);
    return ChangeWorkingFolder(p.c_str());
  }
  if (virtual_folder == p) return 1;
  // Mirror the target folder so loose files beside the archive resolve there.
  if (!p.empty() && IsSeparator(p[0])) MirrorWorkingFolder(game_folder + "/" + p.substr(1));
  else if (virtual_folder != "/") MirrorWorkingFolder(game_folder + virtual_folder + "/" + p);
  else MirrorWorkingFolder(game_folder + "/" + p);
  return EnterArchivePath(p.c_str());
}

int ReturnToGameRoot() { return ChangeGameFolder("/"); }

}  // namespace tolv
