// Layout constants and the position-keyed scrambling of "game.tvp", shared
// by the reader and the writer.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kArchiveTrailerSize = 12;
constexpr uint32_t kArchiveFillerSize = 4096;
constexpr uint32_t kArchiveTailSize = kArchiveTrailerSize + kArchiveFillerSize;
constexpr uint32_t kArchiveRecordSize = 9;  // file-table offset, file count, parent link, sub-folder count
constexpr uint32_t kArchiveMaxU24 = 0xffffff;
constexpr uint32_t kArchiveMaxCount = 255;   // files or sub-folders per folder
constexpr uint32_t kArchiveMaxName = 246;    // file names: entry length in one byte
constexpr uint32_t kArchiveMaxFolderName = 255;
constexpr uint32_t kArchiveMaxDepth = 256;

// Fills table from seed with 16 generator steps; returns the 16th value.
uint32_t BuildScrambleTable(uint32_t seed, uint8_t table[16]);

// Key of the byte at file position p; only p mod 256 matters.
inline uint8_t ScrambleKey(const uint8_t table[16], uint32_t p) {
  return static_cast<uint8_t>((p & 255) ^ table[(table[((p >> 4) ^ p) & 15] ^ p) & 15]);
}

}  // namespace tolv
