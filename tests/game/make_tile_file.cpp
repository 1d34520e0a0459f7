// make_tile_file OUT FOLDER DESCRIPTION: writes the tile set DESCRIPTION
// draws as text to OUT, built by the engine's tile-set writer. A first
// line "palette PICTURE" names an 8-bit PCX of FOLDER whose palette becomes
// the one palette set (192 rows of one colour: entries 0-63 and 128-255);
// without it the set has no colour rows. Then per tile, in id order: a
// line "angle floor", then eight rows, each eight pixel colours in hex, a
// blank and eight collision bytes ('.' 0, '-' 1, '#' 2). One empty stamp
// list follows.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "base/atomic_file.h"
#include "base/byte_writer.h"
#include "world/palette.h"
#include "world/tile_file.h"

using namespace tolv;

// The PCX's palette (its last 768 bytes) as the set's colour rows.
static bool ReadPalette(const std::string& path, PaletteSet& set) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 128 + 769 || bytes[0] != 10 || bytes[bytes.size() - 769] != 12) return false;
  const char* rgb = bytes.data() + bytes.size() - 768;
  set.rows.resize(192);
  for (uint32_t i = 0; i < 192; i++) {
    const char* c = rgb + 3 * PaletteRowEntry(i);
    set.rows[i].colours.assign(1, PaletteColour{uint8_t(c[0]), uint8_t(c[1]), uint8_t(c[2]), 0});
  }
  return true;
}

static bool ReadTile(std::istream& in, Tile& t, PaletteSet& set, const std::string& folder) {
  std::string line;
  int angle = -1, floor = 0;
  while (angle < 0 && std::getline(in, line)) {
    if (line.empty() || line[0] == ';') continue;
    if (line.rfind("palette ", 0) == 0) {
      if (!ReadPalette(folder + "/" + line.substr(8), set)) {
        std::fprintf(stderr, "make_tile_file: no 8-bit PCX palette in %s\n", line.substr(8).c_str());
        std::exit(1);
      }
      continue;
    }
    std::istringstream(line) >> angle >> floor;
  }
  if (angle < 0) return false;
  t.angle = static_cast<uint8_t>(angle);
  t.floor = static_cast<uint8_t>(floor);
  auto* pixels = static_cast<uint8_t*>(std::calloc(64, 1));
  t.current_frame = t.frame_store = pixels;
  t.frame_count = 1;
  for (int y = 0; y < 8; y++) {
    std::string colours, bytes;
    if (!std::getline(in, line) || !(std::istringstream(line) >> colours >> bytes) || colours.size() != 8 ||
        bytes.size() != 8)
      return false;
    for (int x = 0; x < 8; x++) {
      pixels[y * 8 + x] = static_cast<uint8_t>(std::stoi(colours.substr(x, 1), nullptr, 16));
      t.collision[x * 8 + y] = bytes[x] == '#' ? 2 : bytes[x] == '-' ? 1 : 0;
    }
  }
  return true;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_tile_file OUT.til FOLDER DESCRIPTION\n");
    return 2;
  }
  std::ifstream in(argv[3]);
  if (!in) {
    std::fprintf(stderr, "make_tile_file: no description %s\n", argv[3]);
    return 1;
  }
  StagedTileSet set;
  PaletteSet palette;
  for (Tile t; ReadTile(in, t, palette, argv[2]); t = Tile{}) set.tiles.push_back(t);
  set.palette_sets.push_back(palette);
  set.stamp_lists.emplace_back();
  InstallTileSet(set);
  ByteWriter bytes;
  WriteTileData(bytes, false);
  if (tile_count && SaveFileAtomically(argv[1], bytes.bytes)) return 0;
  std::fprintf(stderr, "make_tile_file: %s not written\n", argv[1]);
  return 1;
}
