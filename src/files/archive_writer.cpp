#include "files/archive_writer.h"

#include <cstring>

#include "files/archive_format.h"
#include "files/working_folder.h"
#include "script/random.h"

namespace tolv {

std::string pack_folder_name;

static bool Fail(ArchiveWriter& w, const std::string& why) {
  if (w.error.empty()) w.error = why;
  return false;
}

static void Put(std::vector<uint8_t>& a, uint32_t v, int width) {
  for (int i = width - 1; i >= 0; i--) a.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

static void Patch(std::vector<uint8_t>& a, uint32_t at, uint32_t v, int width) {
  for (int i = 0; i < width; i++) a[at + i] = static_cast<uint8_t>(v >> (8 * (width - 1 - i)));
}

static void PutScrambled(ArchiveWriter& w, uint8_t b) {
  PutAtomicByte(w.out, b ^ ScrambleKey(w.table, static_cast<uint32_t>(w.position)));
  w.position++;
}

static void PutPlain(ArchiveWriter& w, uint8_t b) {
  PutAtomicByte(w.out, b);
  w.position++;
}

static bool ValidName(const char* name, size_t max) {
  size_t n = std::strlen(name);
  return n > 0 && n <= max && !std::strpbrk(name, "/\\") && std::strcmp(name, ".") && std::strcmp(name, "..");
}

bool BeginArchive(ArchiveWriter& w, const char* path, uint32_t time_seed) {
  AbandonArchive(w);
  w = ArchiveWriter{};
  if (!BeginAtomicFile(w.out, ComposePath(path))) return Fail(w, "cannot create a file beside " + w.out.path);
  uint32_t x = time_seed;
  for (int i = 0; i < 4; i++) {
    x = StepRandomSeed(x);
    w.seed = w.seed << 8 | ((x >> 16) & 255);
  }
  random_seed = BuildScrambleTable(w.seed, w.table);
  Put(w.index, 0, 4);  // root header, filled at the end
  Put(w.index, 0, 4);  // the root is its own parent
  Put(w.index, 0, 1);
  w.levels.push_back({0, 0, 0, 0, false});
  return true;
}

bool BeginArchiveFolder(ArchiveWriter& w, const char* name) {
  if (!w.error.empty()) return false;
  ArchiveWriter::Level& up = w.levels.back();
  if (w.in_member || up.has_files) return Fail(w, "folders must come before the files of their parent");
  if (!ValidName(name, kArchiveMaxFolderName)) return Fail(w, std::string("bad folder name ") + name);
  if (w.levels.size() > kArchiveMaxDepth) return Fail(w, "folders nested too deep");
  uint8_t& subs = w.index[up.header + 8];
  if (subs == kArchiveMaxCount) return Fail(w, "too many folders in one folder");
  subs++;
  uint32_t size_field = static_cast<uint32_t>(w.index.size());
  Put(w.index, 0, 3);
  w.index.insert(w.index.end(), name, name + std::strlen(name) + 1);
  uint32_t header = static_cast<uint32_t>(w.index.size());
  Put(w.index, 0, 4);
  Put(w.index, up.header, 4);
  Put(w.index, 0, 1);
  w.levels.push_back({header, size_field, 0, 0, false});
  return true;
}

// Fills the folder's record header: where its file entries start and how many.
static bool CloseRecord(ArchiveWriter& w, ArchiveWriter::Level& l) {
  if (!l.has_files) l.file_table = static_cast<uint32_t>(w.files.size());
  if (l.file_table > kArchiveMaxU24) return Fail(w, "file table too large");
  Patch(w.index, l.header, l.file_table, 3);
  w.index[l.header + 3] = static_cast<uint8_t>(l.file_count);
  return true;
}

bool EndArchiveFolder(ArchiveWriter& w) {
  if (!w.error.empty()) return false;
  if (w.in_member || w.levels.size() < 2) return Fail(w, "no folder to end");
  ArchiveWriter::Level l = w.levels.back();
  w.levels.pop_back();
  if (!CloseRecord(w, l)) return false;
  uint64_t size = w.index.size() - l.size_field;
  if (size > kArchiveMaxU24) return Fail(w, "folder index too large");
  Patch(w.index, l.size_field, static_cast<uint32_t>(size), 3);
  return true;
}

bool BeginArchiveMember(ArchiveWriter& w, const char* name) {
  if (!w.error.empty()) return false;
  ArchiveWriter::Level& l = w.levels.back();
  if (w.in_member) return Fail(w, "member inside a member");
  if (!ValidName(name, kArchiveMaxName)) return Fail(w, std::string("bad file name ") + name);
  if (l.file_count == kArchiveMaxCount) return Fail(w, "too many files in one folder");
  if (w.position > UINT32_MAX) return Fail(w, "archive too large");
  if (!l.has_files) {
    l.has_files = true;
    l.file_table = static_cast<uint32_t>(w.files.size());
  }
  l.file_count++;
  w.member_count++;
  size_t n = std::strlen(name);
  w.files.push_back(static_cast<uint8_t>(n + 9));
  w.files.insert(w.files.end(), name, name + n + 1);
  Put(w.files, static_cast<uint32_t>(w.position), 4);
  w.member_size_field = static_cast<uint32_t>(w.files.size());
  Put(w.files, 0, 3);
  w.member_start = w.position;
  w.in_member = true;
  return true;
}

void WriteArchiveBytes(ArchiveWriter& w, const void* data, size_t n) {
  if (!w.error.empty() || !w.in_member) return;
  // Checked before writing, so no source can grow the file past the format.
  if (w.position - w.member_start + n > kArchiveMaxU24) return void(Fail(w, "member larger than 16777215 bytes"));
  if (w.position + n > UINT32_MAX) return void(Fail(w, "archive too large"));
  const uint8_t* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < n; i++) PutScrambled(w, p[i]);
}

bool EndArchiveMember(ArchiveWriter& w) {
  if (!w.error.empty()) return false;
  if (!w.in_member) return Fail(w, "no member to end");
  w.in_member = false;
  uint64_t size = w.position - w.member_start;
  if (size > kArchiveMaxU24) return Fail(w, "member larger than 16777215 bytes");
  Patch(w.files, w.member_size_field, static_cast<uint32_t>(size), 3);
  return true;
}

bool FinishArchive(ArchiveWriter& w) {
  if (w.error.empty() && (w.in_member || w.levels.size() != 1)) Fail(w, "folders or members left open");
  if (w.error.empty()) CloseRecord(w, w.levels.back());
  const uint64_t index_start = w.position, table_start = index_start + w.index.size();
  if (table_start + w.files.size() + kArchiveTailSize > UINT32_MAX) Fail(w, "archive too large");
  if (!w.error.empty()) {
    AbandonArchive(w);
    return false;
  }
  for (uint8_t b : w.index) PutScrambled(w, b);
  for (uint8_t b : w.files) PutScrambled(w, b);
  for (int i = 3; i >= 0; i--) {
    PutPlain(w, static_cast<uint8_t>(w.seed >> (8 * i)));
    PutScrambled(w, static_cast<uint8_t>(index_start >> (8 * i)));
    PutScrambled(w, static_cast<uint8_t>(table_start >> (8 * i)));
  }
  for (uint32_t i = 0; i < kArchiveFillerSize; i++) {
    random_seed = StepRandomSeed(random_seed);
    PutPlain(w, static_cast<uint8_t>(random_seed >> 16));
  }
  if (!CommitAtomicFile(w.out)) return Fail(w, "cannot write " + w.out.path);
  return true;
}

void AbandonArchive(ArchiveWriter& w) { AbandonAtomicFile(w.out); }

}  // namespace tolv
