// make_level_file OUT FOLDER DESCRIPTION: writes the level DESCRIPTION
// draws as text to OUT, built by the engine's level writer. The text:
// "tile C ID" lines give map character C the tile ID; each "plane TYPE
// WIDTH HEIGHT FLAGS [FACTOR]" line starts a plane (FACTOR: the scroll
// factor of all its lines, in 64ths of the camera), whose map rows follow, one
// character a cell (rows and cells left out hold tile 0); "water Y" sets
// the water line. ';' starts a comment line. FOLDER is not read (the
// sprite and tile makers' calling form).
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "base/atomic_file.h"
#include "base/byte_writer.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/level.h"
#include "world/level_file.h"

using namespace tolv;

static int Fail(const char* what, int line) {
  std::fprintf(stderr, "make_level_file: line %d: %s\n", line, what);
  return 1;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_level_file OUT.lev FOLDER DESCRIPTION\n");
    return 2;
  }
  std::ifstream in(argv[3]);
  if (!in) {
    std::fprintf(stderr, "make_level_file: no description %s\n", argv[3]);
    return 1;
  }
  int tiles[256];
  for (int& t : tiles) t = -1;
  PlaneList list;
  TilePlane* plane = nullptr;
  uint32_t row = 0;
  int32_t water = 0;
  std::string line;
  for (int n = 1; std::getline(in, line); n++) {
    if (line.empty() || line[0] == ';') continue;
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "tile") {
      std::string c;
      int id = -1;
      if (!(words >> c >> id) || c.size() != 1 || id < 0 || id > 65535) return Fail("bad tile line", n);
      tiles[uint8_t(c[0])] = id;
    } else if (word == "plane") {
      unsigned type = 0, width = 0, height = 0, flags = 0, factor = 0;
      if (!(words >> type >> width >> height >> flags) || type > kPlaneVLined) return Fail("bad plane line", n);
      plane = list.Add(uint8_t(type), width, height);
      if (!plane) return Fail("plane too large", n);
      plane->flags = uint16_t(flags);
      if (words >> factor && plane->type != kPlaneFlat) {
        for (uint32_t i = 0; i < PlaneLineCount(plane->type, width, height); i++) plane->line_factors[i] = uint8_t(factor);
        plane->other_factor = uint8_t(factor);
      }
      row = 0;
    } else if (word == "water") {
      if (!(words >> water)) return Fail("bad water line", n);
    } else {
      if (!plane || row >= plane->height || line.size() > plane->width) return Fail("map row outside a plane", n);
      for (uint32_t x = 0; x < line.size(); x++) {
        if (tiles[uint8_t(line[x])] < 0) return Fail("map character without a tile line", n);
        *PlaneCell(*plane, x, row) = uint16_t(tiles[uint8_t(line[x])]);
      }
      row++;
    }
  }
  SwapLevelPlanes(list);
  int32_t file[256] = {};  // the writer reads the water line from its register
  registers = file;
  register_count = 256;
  file[kRegWaterLine] = water;
  ByteWriter bytes;
  WriteLevelData(bytes, false);
  if (plane_count && SaveFileAtomically(argv[1], bytes.bytes)) return 0;
  std::fprintf(stderr, "make_level_file: %s not written\n", argv[1]);
  return 1;
}
