// Def-file streams: one open text file, either whole in memory or read byte
// by byte from the archive member that is the file layer's current file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

struct FileStream {
  std::vector<uint8_t> buffer;  // whole contents; empty for archive streams
  uint32_t size = 0;
  uint32_t position = 0;
  uint32_t line = 0;       // approximate, counted by ReadScriptLine
  std::string name;        // path it was opened with
  std::string folder;      // where it came from, for error reports
  uint8_t line_mode = 0;   // 0 ':' only, 1 any type, 2 ':' only; 1 and 2 split at '#'/':'
  uint8_t archive = 0;     // 1: bytes come from the current archive member

  FileStream() = default;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream();
};

// Text files (def files, text tables, descriptors) are read whole: one
// larger than this is no game's. Binary files read whole stop at what a
// stream's 32-bit size holds.
constexpr uint64_t kMaxTextFileBytes = uint64_t(64) << 20;
constexpr uint64_t kMaxStreamBytes = UINT32_MAX;

// 1 opened, 0 not found. Game file relative to the current folder. A file
// over its size bound is a fatal error naming it.
int OpenStream(const char* path, FileStream& s);
// A plain path outside the game file layer (the game descriptors).
int OpenPlainStream(const char* path, FileStream& s);
// Any game file read whole into memory, archive members included; binary
// files (samples, tables) up to kMaxStreamBytes.
int OpenBufferedStream(const char* path, FileStream& s);
void CloseStream(FileStream& s);

// Archive streams read through the file layer; memory streams inline, as
// the tokenizer reads every character through these two.
int ReadArchiveStreamChar();
int IsArchiveStreamEnd();
// LF at or past the end, not advancing.
inline int ReadStreamChar(FileStream& s) {
  if (s.archive) return ReadArchiveStreamChar();
  if (s.position >= s.size || s.position >= s.buffer.size()) return '\n';
  return s.buffer[s.position++];
}
inline int IsStreamEnd(FileStream& s) { return s.archive ? IsArchiveStreamEnd() : s.position >= s.size; }
void RewindStream(FileStream& s);
// whence 0 absolute, 1 relative, 2 from the end; a target before the start
// leaves the position unchanged.
void SeekStream(FileStream& s, int32_t offset, int whence);
uint32_t TellStream(FileStream& s);
// Raw text up to a line end (CR, LF or CR LF, not stored), at most
// capacity - 1 characters, NUL-terminated; returns the length stored.
uint32_t ReadStreamLine(char* buffer, uint32_t capacity, FileStream& s);

// Include stack of heap streams: closes and frees stream, depth - 1, and
// returns stack[depth], which becomes current_stream.
FileStream* PopIncludeStream(uint32_t& depth, FileStream* stream, FileStream* const* stack);

// A growable stream buffer filled from memory (downloads, engine start).
void CreateByteBuffer(FileStream& s, uint32_t n);
void ResizeByteBuffer(FileStream& s, uint32_t n);

}  // namespace tolv
