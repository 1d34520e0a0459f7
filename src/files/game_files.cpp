// The open-file stack: each entry is a loose file or an archive member, so
// nesting the two kinds reads and closes each as what it is.
#include "files/game_files.h"

#include <cstdio>

#include "files/archive_reader.h"
#include "files/game_folder_guard.h"
#include "files/working_folder.h"

namespace tolv {

std::string game_folder;
std::string base_folder;
uint8_t game_unpacked = 1;
uint8_t reading_loose_file = 1;

struct OpenFile {
  FILE* loose;  // null for an archive member
  uint32_t start, pos, end;  // member: absolute archive positions
};

static OpenFile open_files[kMaxOpenGameFiles];
static int open_count;

static OpenFile* Current() { return open_count ? &open_files[open_count - 1] : nullptr; }

void NoteGameFileMode() {
  OpenFile* f = Current();
  reading_loose_file = f ? (f->loose != nullptr) : game_unpacked;
}

int OpenGameFileCount() { return open_count; }

// Only regular files inside the game's read area; anything else is a file
// that does not exist.
static FILE* OpenLooseFile(const char* name) {
  std::string path = name;
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) path = game_folder + path;
  return OpenConfinedFile(ComposePath(path.c_str()));
}

int OpenGameFile(const char* name) {
  if (!name || open_count == kMaxOpenGameFiles) return 0;
  OpenFile entry{};
  if (!game_unpacked && FindArchiveMember(name, &entry.start, &entry.end)) {
    entry.pos = entry.start;
  } else if (!(entry.loose = OpenLooseFile(name))) {
    return 0;
  }
  open_files[open_count++] = entry;
  NoteGameFileMode();
  return 1;
}

void CloseGameFile() {
  OpenFile* f = Current();
  if (!f) return;
  if (f->loose) std::fclose(f->loose);
  open_count--;
  NoteGameFileMode();
}

int ReadGameFileByte() {
  OpenFile* f = Current();
  if (!f) return kGameFileEnd;
  if (f->loose) {
    int c = std::getc(f->loose);
    return c == EOF ? kGameFileEnd : c;
  }
  if (f->pos >= f->end) return kGameFileEnd;
  int c = ReadArchiveByte(f->pos);
  if (c >= 0) f->pos++;
  return c < 0 ? kGameFileEnd : c;
}

uint32_t ReadGameFileBlock(uint8_t* out, uint32_t n) {
  OpenFile* f = Current();
  if (f && f->loose) return static_cast<uint32_t>(std::fread(out, 1, n, f->loose));
  uint32_t got = 0;
  for (int c; got < n && (c = ReadGameFileByte()) != kGameFileEnd;) out[got++] = static_cast<uint8_t>(c);
  return got;
}

int SeekGameFile(int32_t offset, int whence) {
  OpenFile* f = Current();
  if (!f) return -1;
  if (f->loose) return std::fseek(f->loose, offset, whence) == 0 ? 0 : -1;
  int64_t base;
  switch (whence) {
    case 0: base = f->start; break;
    case 1: base = f->pos; break;
    case 2: base = f->end; break;
    default: return -1;
  }
  int64_t target = base + offset;
  if (target < f->start || target > UINT32_MAX) return -1;
  f->pos = static_cast<uint32_t>(target);
  return 0;
}

void RewindGameFile() { SeekGameFile(0, 0); }

uint64_t TellGameFile() {
  OpenFile* f = Current();
  if (!f) return 0;
  if (f->loose) {
    off_t p = ftello(f->loose);
    return p < 0 ? 0 : static_cast<uint64_t>(p);
  }
  return f->pos - f->start;
}

int IsGameFileEnd() {
  OpenFile* f = Current();
  if (!f) return 1;
  if (f->loose) return std::feof(f->loose) != 0;
  return f->pos >= f->end;
}

std::string GetGameRelativeFolder() {
  OpenFile* f = Current();
  bool member = f ? f->loose == nullptr : !game_unpacked;
  if (member) return virtual_folder;
  return StripGameFolderPrefix(WorkingFolder());
}

}  // namespace tolv
