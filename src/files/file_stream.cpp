#include "files/file_stream.h"

#include <sys/stat.h>

#include <cstdio>

#include "base/regular_file.h"
#include "files/game_file_bytes.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"

namespace tolv {

// What the error report names once the stream it read last is gone.
static FileStream closed_stream;

static void ForgetCurrent(FileStream& s) {
  if (current_stream != &s || &s == &closed_stream) return;
  closed_stream.name = s.name;
  closed_stream.folder = s.folder;
  closed_stream.line = s.line;
  current_stream = &closed_stream;
}

FileStream::~FileStream() { ForgetCurrent(*this); }

static void ResetStream(FileStream& s, const char* path) {
  s.buffer.clear();
  s.size = s.position = s.line = 0;
  s.name = path;
  s.folder.clear();
  s.line_mode = 0;
  s.archive = 0;
}

[[noreturn]] static void RefuseLargeFile(const char* path, uint64_t bound) {
  const std::string size = bound % (1 << 20) ? std::to_string(bound) + " bytes" : std::to_string(bound >> 20) + " MiB";
  ScriptErrorFormat("File \"%s\" is larger than %s", path, size.c_str());
}

// Reads the current game file whole into the stream; one over the bound
// is closed and refused.
static void SlurpGameFile(FileStream& s, uint64_t bound) {
  if (!ReadCurrentGameFile(s.buffer, bound)) {
    CloseGameFile();
    RefuseLargeFile(s.name.c_str(), bound);
  }
  s.size = static_cast<uint32_t>(s.buffer.size());
}

int OpenStream(const char* path, FileStream& s) {
  if (!OpenGameFile(path)) return 0;
  ResetStream(s, path);
  if (reading_loose_file) {
    SlurpGameFile(s, kMaxTextFileBytes);
    CloseGameFile();
    s.folder = WorkingFolder();
    return 1;
  }
  SeekGameFile(0, 2);
  s.size = static_cast<uint32_t>(TellGameFile());  // a member holds at most 16 MiB
  RewindGameFile();
  s.folder = game_folder + "/game.tvp:" + virtual_folder;
  s.archive = 1;
  return 1;
}

int OpenBufferedStream(const char* path, FileStream& s) {
  if (!OpenGameFile(path)) return 0;
  ResetStream(s, path);
  s.folder = GetGameRelativeFolder();
  SlurpGameFile(s, kMaxStreamBytes);
  CloseGameFile();
  return 1;
}

int OpenPlainStream(const char* path, FileStream& s) {
  FILE* f = OpenRegularFileStream(ComposePath(path).c_str());
  struct stat st;
  if (!f) return 0;
  if (fstat(fileno(f), &st) != 0) {
    std::fclose(f);
    return 0;
  }
  if (static_cast<uint64_t>(st.st_size) > kMaxTextFileBytes) {
    std::fclose(f);
    RefuseLargeFile(path, kMaxTextFileBytes);
  }
  ResetStream(s, path);
  s.buffer.resize(static_cast<size_t>(st.st_size));
  s.buffer.resize(std::fread(s.buffer.data(), 1, s.buffer.size(), f));
  s.size = static_cast<uint32_t>(s.buffer.size());
  std::fclose(f);
  s.folder = WorkingFolder();
  return 1;
}

void CloseStream(FileStream& s) {
  if (s.archive) CloseGameFile();
  ForgetCurrent(s);
  s.buffer.clear();
  s.buffer.shrink_to_fit();
  s.name.clear();
  s.folder.clear();
  s.size = s.position = 0;
  s.archive = 0;
}

int ReadArchiveStreamChar() {
  int c = ReadGameFileByte();
  return c == kGameFileEnd ? '\n' : c;
}

int IsArchiveStreamEnd() { return IsGameFileEnd(); }

void RewindStream(FileStream& s) {
  if (s.archive) RewindGameFile();
  else s.position = 0;
}

void SeekStream(FileStream& s, int32_t offset, int whence) {
  if (s.archive) {
    SeekGameFile(offset, whence);
    return;
  }
  int64_t base = whence == 0 ? 0 : whence == 1 ? s.position : whence == 2 ? s.size : -1;
  int64_t target = base + offset;
  if (base < 0 || target < 0 || target > UINT32_MAX) return;
  s.position = static_cast<uint32_t>(target);
}

uint32_t TellStream(FileStream& s) { return s.archive ? static_cast<uint32_t>(TellGameFile()) : s.position; }

uint32_t ReadStreamLine(char* buffer, uint32_t capacity, FileStream& s) {
  if (capacity == 0) return 0;
  uint32_t n = 0;
  while (n + 1 < capacity && !IsStreamEnd(s)) {
    int c = ReadStreamChar(s);
    if (c == '\n') break;
    if (c == '\r') {
      if (!IsStreamEnd(s) && ReadStreamChar(s) != '\n') SeekStream(s, -1, 1);
      break;
    }
    buffer[n++] = static_cast<char>(c);
  }
  buffer[n] = 0;
  return n;
}

FileStream* PopIncludeStream(uint32_t& depth, FileStream* stream, FileStream* const* stack) {
  if (depth == 0) return stream;
  depth--;
  CloseStream(*stream);
  delete stream;
  current_stream = stack[depth];
  return stack[depth];
}

void CreateByteBuffer(FileStream& s, uint32_t n) {
  ResetStream(s, "");
  s.buffer.assign(n, 0);
  s.size = n;
}

void ResizeByteBuffer(FileStream& s, uint32_t n) {
  s.buffer.resize(n);
  s.size = n;
}

}  // namespace tolv
