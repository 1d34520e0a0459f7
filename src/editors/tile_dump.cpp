#include "editors/tile_dump.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"

namespace tolv {

std::string TileDumpText(const TilePlane& plane, int64_t x, int64_t y, uint32_t w, uint32_t h) {
  std::string text = ";TOLV Tile dump for use in solid tile-mapped objects\n";
  char line[96];
  std::snprintf(line, sizeof line, "Width:%6d -Width\nHeight:%6d -Height\n", int(w), int(h));
  text += line;
  uint32_t k = 0;
  for (uint32_t row = 0; row < h; row++)
    for (uint32_t col = 0; col < w; col++, k++) {
      const uint16_t* cell = PlaneCell(plane, x + col, y + row);
      std::snprintf(line, sizeof line, "TileID %3u:%6u -Tile ID %2u,%2u\n", k, cell ? unsigned{*cell} : 0u, col, row);
      text += line;
    }
  return text;
}

// The folder is made inside the game folder only; a "dump" that leads
// elsewhere fails the write below.
static bool MakeDumpFolder() {
  std::string folder;
  if (!GameWritePath("/dump", &folder)) return false;
  return mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

bool WriteTileDump(const TilePlane& plane, int64_t x, int64_t y, uint32_t w, uint32_t h) {
  std::string target;
  const std::string text = TileDumpText(plane, x, y, w, h);
  if (!MakeDumpFolder() || !GameWritePath((std::string("/") + kTileDumpPath).c_str(), &target) ||
      !SaveFileAtomically(target, text.data(), text.size())) {
    ShowMessage("Can't write dump/tilemap.txt");
    return false;
  }
  ShowMessage("Tile dump saved to dump/tilemap.txt");
  return true;
}

}  // namespace tolv
