// Packs a game folder of loose files into its "game.tvp".
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

constexpr size_t kMaxPackFolderName = 49;

// Why the last PackGame failed; "" after a success.
extern std::string pack_error;

// What the last PackGame that succeeded wrote: its files, the archive's
// size and its path.
struct PackResult {
  uint32_t files = 0;
  uint64_t bytes = 0;
  std::string path;
};
extern PackResult pack_result;

// Packs the folder pack_folder_name, a folder of the working folder (the
// base folder), into its "game.tvp"; the working folder is unchanged
// afterwards. The archive appears only when the whole pack succeeded; on
// failure no "game.tvp" is written or replaced and pack_error says why.
// Fatal script errors of the def re-writer end the process as always, and
// then too no archive is left behind.
bool PackGame();

}  // namespace tolv
