// Writes "game.tvp": contents streamed first, scrambled with their file
// positions, the index and file tables built in memory and written after
// them, then the trailer and the filler. The packer drives it folder by
// folder: a folder's sub-folders first, then its own files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/atomic_file.h"

namespace tolv {

// The game folder the packer and the game deleter work on.
extern std::string pack_folder_name;

struct ArchiveWriter {
  struct Level {
    uint32_t header;      // index position of the folder's record
    uint32_t size_field;  // its entry-size field in the parent (0 for the root)
    uint32_t file_table;  // where its file entries start
    uint32_t file_count;
    bool has_files;
  };
  AtomicFile out;  // game.tvp under a temporary name until FinishArchive
  std::string error;  // first failure; later calls do nothing
  uint8_t table[16] = {};
  uint32_t seed = 0;
  uint64_t position = 0;  // file position; the archive's size once finished
  uint32_t member_count = 0;  // files, in every folder
  std::vector<uint8_t> index, files;
  std::vector<Level> levels;
  uint32_t member_size_field = 0;
  uint64_t member_start = 0;
  bool in_member = false;
};

// Opens a temporary file beside path (AtomicFile); the seed comes from time_seed through
// the engine's generator (random_seed is left advanced, as after packing).
bool BeginArchive(ArchiveWriter& w, const char* path, uint32_t time_seed);
bool BeginArchiveFolder(ArchiveWriter& w, const char* name);
bool EndArchiveFolder(ArchiveWriter& w);
bool BeginArchiveMember(ArchiveWriter& w, const char* name);
void WriteArchiveBytes(ArchiveWriter& w, const void* data, size_t n);
bool EndArchiveMember(ArchiveWriter& w);
// Writes the tables, trailer and filler and renames the file into place;
// on any failure the temporary file is removed and w.error says why.
bool FinishArchive(ArchiveWriter& w);
void AbandonArchive(ArchiveWriter& w);

}  // namespace tolv
