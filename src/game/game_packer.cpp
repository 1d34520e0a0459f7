// The game packer: walks the game folder, a folder's sub-folders before its
// own files, and streams every file into the archive writer; ".def" files
// go in re-written, everything else byte for byte.
#include "game/game_packer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/archive_format.h"
#include "files/archive_writer.h"
#include "files/exclude_list.h"
#include "files/folder_listing.h"
#include "files/game_folder_guard.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/def_rewriter.h"
#include "script/random.h"
#include "script/records.h"

namespace tolv {

std::string pack_error;
PackResult pack_result;

// The archive being written, removed if the process ends before it is
// finished (a fatal script error exits from inside the re-writer).
static ArchiveWriter* active_archive;

static void RemoveUnfinishedArchive() {
  if (active_archive) AbandonArchive(*active_archive);
}

// Puts back what packing changes besides game_folder, however it ends.
struct PackScope {
  ArchiveWriter& w;
  std::string start_folder = WorkingFolder();
  uint32_t crc = character_register_count, prc = player_register_count;
  explicit PackScope(ArchiveWriter& writer) : w(writer) {
    static bool registered = std::atexit(RemoveUnfinishedArchive) == 0;
    (void)registered;
    active_archive = &w;
  }
  ~PackScope() {
    AbandonArchive(w);  // nothing left to remove once the archive is in place
    active_archive = nullptr;
    character_register_count = crc;
    player_register_count = prc;
    ChangeWorkingFolder(start_folder.c_str());
  }
};

static bool IsLink(const std::string& name) {
  struct stat st;
  return lstat(ComposePath(name.c_str()).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

static bool Fail(const std::string& why) {
  if (pack_error.empty()) pack_error = why;
  return false;
}

static bool WriterFailed(const ArchiveWriter& w, const std::string& where) {
  return Fail(where + ": " + (w.error.empty() ? "archive write failed" : w.error));
}

static void Dot() {
  std::fputc('.', stdout);
  std::fflush(stdout);
}

static std::string Child(const std::string& folder, const std::string& name) {
  return folder == "/" ? name : folder + "/" + name;
}

// Keeps the listed folders (or the files), without their '/'.
static std::vector<std::string> Listed(bool folders) {
  std::vector<std::string> out;
  for (const std::string& n : folder_listing) {
    bool is_folder = n.back() == '/';
    if (is_folder != folders || n[0] == '.') continue;
    out.push_back(folders ? n.substr(0, n.size() - 1) : n);
  }
  return out;
}

static bool PackFolder(ArchiveWriter& w, uint32_t depth, const std::string& folder);

// Sub-folders are told by their type, not their name, so "v1.2" is one.
static bool PackSubFolders(ArchiveWriter& w, uint32_t depth, const std::string& folder) {
  LoadExcludePatterns();
  ListFolder(".", "*");
  DropExcludedNames();
  if (depth == 0) {
    DropMatchingNames("alias/");
    DropMatchingNames("dump/");
  }
  for (const std::string& name : Listed(true)) {
    if (name.compare(0, 3, "cfg") == 0) continue;
    const std::string path = Child(folder, name);
    if (IsLink(name)) {  // a link to a folder may lead back up: never followed
      ShowMessageLines((path + ": link to a folder, skipped").c_str());
      continue;
    }
    if (!BeginArchiveFolder(w, name.c_str())) return WriterFailed(w, path);
    if (!ChangeWorkingFolder(name.c_str())) return Fail(path + ": cannot enter folder");
    Dot();
    const bool ok = PackFolder(w, depth + 1, path);
    ChangeWorkingFolder("..");
    Dot();
    if (!ok) return false;
    if (!EndArchiveFolder(w)) return WriterFailed(w, path);
  }
  return true;
}

static bool SameFile(const struct stat& a, int fd) {
  struct stat b;
  return fd >= 0 && fstat(fd, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Copies at most the size the file had when opened: a file that grows
// while it is read (the archive itself, through a link) ends there.
static bool CopyMember(ArchiveWriter& w, FILE* f, uint64_t size, const std::string& path) {
  char buf[65536];
  for (size_t n; size > 0 && (n = std::fread(buf, 1, size < sizeof buf ? size_t(size) : sizeof buf, f)) > 0; size -= n)
    WriteArchiveBytes(w, buf, n);
  return !std::ferror(f) || Fail(path + ": read error");
}

// Read as the game reads it: a FIFO, a device or a link out of the game
// folder is a file that cannot be read.
static bool PackRawFile(ArchiveWriter& w, const std::string& name, const std::string& path) {
  FILE* f = OpenConfinedFile(ComposePath(name.c_str()));
  if (!f) return Fail(path + ": cannot read file");
  struct stat st;
  bool ok = fstat(fileno(f), &st) == 0 || Fail(path + ": cannot read file");
  if (ok && SameFile(st, w.out.fd)) {
    std::fclose(f);
    return true;  // the archive being written
  }
  if (ok && st.st_size > static_cast<off_t>(kArchiveMaxU24)) ok = Fail(path + ": larger than 16777215 bytes");
  else if (ok && !BeginArchiveMember(w, name.c_str())) ok = WriterFailed(w, path);
  if (ok) ok = CopyMember(w, f, static_cast<uint64_t>(st.st_size), path);
  std::fclose(f);
  if (ok && !EndArchiveMember(w)) ok = WriterFailed(w, path);
  return ok;
}

static bool PackDefFile(ArchiveWriter& w, const std::string& name, const std::string& folder) {
  const std::string path = Child(folder, name);
  FileStream s;
  if (!OpenStream(name.c_str(), s)) return Fail(path + ": cannot read file");
  packed_text.clear();
  RewriteDefFile(s, name.c_str(), folder);
  CloseStream(s);
  if (packed_text.size() > kArchiveMaxU24) return Fail(path + ": re-written text larger than 16777215 bytes");
  if (!BeginArchiveMember(w, name.c_str())) return WriterFailed(w, path);
  WriteArchiveBytes(w, packed_text.data(), packed_text.size());
  packed_text.clear();
  return EndArchiveMember(w) || WriterFailed(w, path);
}

// The folder's own files: copied ones first, then the re-written ".def" ones.
static bool PackFolderFiles(ArchiveWriter& w, uint32_t depth, const std::string& folder) {
  LoadExcludePatterns();  // the sub-folders loaded theirs
  ListFolder(".", "*.*");
  DropMatchingNames("*.def");
  DropExcludedNames();
  if (depth == 0) {
    DropMatchingNames("game.tvp");
    DropMatchingNames(AtomicTempPattern("game.tvp").c_str());
  }
  const std::vector<std::string> raw = Listed(false);
  ListFolder(".", "*.def");
  DropExcludedNames();
  if (depth == 0) {
    DropMatchingNames("key*.*");
    DropMatchingNames("alias.def");
  }
  const std::vector<std::string> defs = Listed(false);
  for (const std::string& name : raw) {
    if (!PackRawFile(w, name, Child(folder, name))) return false;
    Dot();
  }
  for (const std::string& name : defs) {
    if (!PackDefFile(w, name, folder)) return false;
    Dot();
  }
  return true;
}

static bool PackFolder(ArchiveWriter& w, uint32_t depth, const std::string& folder) {
  if (access(WorkingFolder().c_str(), R_OK | X_OK) != 0) return Fail(folder + ": cannot read folder");
  return PackSubFolders(w, depth, folder) && PackFolderFiles(w, depth, folder);
}

static bool ValidFolderName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxPackFolderName && name.find_first_of("/\\") == std::string::npos &&
         name != "." && name != "..";
}

bool PackGame() {
  pack_error.clear();
  pack_result = PackResult{};
  if (!ValidFolderName(pack_folder_name)) return Fail("Not a game folder name: \"" + pack_folder_name + "\"");
  ArchiveWriter w;
  PackScope scope(w);
  CloseArchive();
  if (!ChangeWorkingFolder(pack_folder_name.c_str())) return Fail("Game folder not found: " + pack_folder_name);
  game_folder = WorkingFolder();
  // Alias values with player-variable prefixes depend on the register
  // counts, which game.def may give by alias: load, count, load again.
  LoadPackAliases();
  PrescanGameDef();
  LoadPackAliases();
  RemoveStaleAtomicFiles(ComposePath("game.tvp"));  // left by a pack that was killed
  if (!BeginArchive(w, "game.tvp", static_cast<uint32_t>(wall_clock()))) return WriterFailed(w, "game.tvp");
  Dot();
  if (!PackFolder(w, 0, "/")) return false;
  if (!FinishArchive(w)) return WriterFailed(w, "game.tvp");
  pack_result = PackResult{w.member_count, w.position, game_folder + "/game.tvp"};
  return true;
}

}  // namespace tolv
