// The one way the engine writes a file: into a fresh temporary file beside
// the target, every write and the close checked, then renamed over the
// target. A failure at any step removes the temporary file and leaves the
// previous file as it was. The target's folder passes the write guard
// (base/write_guard.h) once, and every later step works in that folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

struct AtomicFile {
  int fd = -1;
  int folder = -1;        // the target's folder, checked by the write guard
  std::string path;       // the target
  std::string temp_path;  // where the bytes go until Commit
  std::string name, temp_name;  // the same within folder
  bool ok = false;        // false after any failed step
  std::vector<uint8_t> pending;  // bytes not yet written (streaming writers)
};

// Writes out pending bytes; a failure latches f.ok = false.
bool FlushAtomicFile(AtomicFile& f);
// Appends one byte through the pending buffer, for writers that stream
// byte by byte.
inline void PutAtomicByte(AtomicFile& f, uint8_t b) {
  f.pending.push_back(b);
  if (f.pending.size() >= 65536) FlushAtomicFile(f);
}

// The names temporary files of `name` get in its folder, as a wildcard
// (folder listings leave them out).
std::string AtomicTempPattern(const std::string& name);

// Removes the temporary files of path whose process has ended (a save that
// was killed half-way).
void RemoveStaleAtomicFiles(const std::string& path);

// Creates the temporary file exclusively (never through a link); false
// when it cannot be created, when the folder is not one the engine may
// write into, or when the target is a file with more than one link.
bool BeginAtomicFile(AtomicFile& f, const std::string& path);
// Appends n bytes; a failure latches f.ok = false.
bool WriteAtomicFile(AtomicFile& f, const void* data, size_t n);
// Writes pending bytes, flushes, closes and renames into place; on failure the temporary file is
// removed and the target left untouched.
bool CommitAtomicFile(AtomicFile& f);
// Closes and removes the temporary file.
void AbandonAtomicFile(AtomicFile& f);

// The whole sequence for bytes already built in memory.
bool SaveFileAtomically(const std::string& path, const void* data, size_t n);
inline bool SaveFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  return SaveFileAtomically(path, bytes.data(), bytes.size());
}

}  // namespace tolv
