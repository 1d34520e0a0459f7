// make_tile_file OUT FOLDER DESCRIPTION: writes the tile set DESCRIPTION
// draws as text to OUT, built by the engine's tile-set writer (FOLDER is
// not used: the arguments match make_sprite_file's). Per tile, in id
// order: a line "angle floor", then eight rows, each eight pixel colours
// in hex, a blank and eight collision bytes ('.' 0, '-' 1, '#' 2). One
// palette set without colour rows (the game's palette stays as its
// pictures set it) and one empty stamp list follow.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/atomic_file.h"
#include "base/byte_writer.h"
#include "world/tile_file.h"

using namespace tolv;

static bool ReadTile(std::istream& in, Tile& t) {
  std::string line;
  int angle = -1, floor = 0;
  while (angle < 0 && std::getline(in, line))
    if (!line.empty() && line[0] != ';') std::istringstream(line) >> angle >> floor;
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
  for (Tile t; ReadTile(in, t); t = Tile{}) set.tiles.push_back(t);
  set.palette_sets.emplace_back();
  set.stamp_lists.emplace_back();
  InstallTileSet(set);
  ByteWriter bytes;
  WriteTileData(bytes, false);
  if (tile_count && SaveFileAtomically(argv[1], bytes.bytes)) return 0;
  std::fprintf(stderr, "make_tile_file: %s not written\n", argv[1]);
  return 1;
}
