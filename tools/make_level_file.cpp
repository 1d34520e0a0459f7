// make_level_file OUT.lev GAME_FOLDER DESCRIPTION: writes the level that
// DESCRIPTION draws as text, built by the engine's level writer.
//   tile C ID                          map character C stands for tile ID (0-65535)
//   plane TYPE WIDTH HEIGHT FLAGS [FACTOR]
//                                      starts the next plane: its type (0 Flat,
//                                      1 Relative, 2 H Tiled, 3 V Tiled, 4 H Lined,
//                                      5 V Lined), size in tiles, flags (1: opaque)
//                                      and the scroll factor of all its lines in
//                                      64ths of the camera's movement (0-255)
//   map rows                           follow their plane, one character a cell;
//                                      rows and cells left out hold tile 0
//   water Y                            the water line
// GAME_FOLDER is not read (the calling form all the tools share).
#include <charconv>
#include <sstream>
#include <string>

#include "base/byte_writer.h"
#include "files/working_folder.h"
#include "script/operands.h"
#include "script/registers.h"
#include "tool_text.h"
#include "world/level.h"
#include "world/level_file.h"

using namespace tolv;

static constexpr const char* kTool = "make_level_file";

// The rest of `words` must be empty.
static bool Ends(std::istringstream& words) {
  std::string extra;
  return !(words >> extra);
}

// A whole number ("1x" and "1e9" are none).
static bool WholeNumber(const std::string& word, long& value) {
  const char* end = word.data() + word.size();
  auto [at, error] = std::from_chars(word.data(), end, value);
  return error == std::errc{} && at == end;
}

static bool NextNumber(std::istringstream& words, long& value) {
  std::string word;
  return words >> word && WholeNumber(word, value);
}

static TilePlane* StartPlane(TextDescription& d, std::istringstream& words, PlaneList& list) {
  long type = -1, width = 0, height = 0, flags = -1, factor = -1;
  if (!NextNumber(words, type) || !NextNumber(words, width) || !NextNumber(words, height) ||
      !NextNumber(words, flags) || type < 0 || type > kPlaneVLined || width < 1 || height < 1 || flags < 0 ||
      flags > 65535)
    d.Fail("expected plane TYPE (0-5) WIDTH HEIGHT FLAGS (0-65535) [FACTOR]");
  std::string word;
  if (words >> word && (!WholeNumber(word, factor) || factor < 0 || factor > 255 || !Ends(words)))
    d.Fail("a plane's scroll factor is 0-255");
  if (list.planes.size() == kMaxPlanes) d.Fail("more than 255 planes");
  TilePlane* plane = width > long(kMaxPlaneSide) || height > long(kMaxPlaneSide)
                         ? nullptr
                         : list.Add(uint8_t(type), uint32_t(width), uint32_t(height));
  if (!plane) d.Fail("plane too large");
  plane->flags = uint16_t(flags);
  if (factor >= 0 && plane->type != kPlaneFlat) {
    for (uint32_t i = 0; i < PlaneLineCount(plane->type, plane->width, plane->height); i++)
      plane->line_factors[i] = uint8_t(factor);
    plane->other_factor = uint8_t(factor);
  }
  return plane;
}

int main(int argc, char** argv) {
  TextDescription d;
  OpenDescription(argc, argv, kTool, "OUT.lev", d);
  const std::string out = ComposePath(argv[1]);
  int32_t tiles[256];
  for (int32_t& t : tiles) t = -1;
  PlaneList list;
  TilePlane* plane = nullptr;
  uint32_t row = 0;
  long water = 0;
  std::string line;
  while (d.Next(line)) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "tile") {
      std::string c;
      long id = -1;
      if (!(words >> c >> id) || c.size() != 1 || id < 0 || id > 65535 || !Ends(words))
        d.Fail("expected tile C ID: one character and a tile id 0-65535");
      tiles[uint8_t(c[0])] = int32_t(id);
    } else if (word == "plane") {
      plane = StartPlane(d, words, list);
      row = 0;
    } else if (word == "water") {
      if (!(words >> water) || water < INT32_MIN || water > INT32_MAX || !Ends(words)) d.Fail("expected water Y");
    } else {
      if (!plane) d.Fail("a map row before the first plane line");
      if (row >= plane->height || line.size() > plane->width) d.Fail("map row outside its plane");
      for (uint32_t x = 0; x < line.size(); x++) {
        if (tiles[uint8_t(line[x])] < 0) d.Fail(std::string("map character '") + line[x] + "' has no tile line");
        *PlaneCell(*plane, x, row) = uint16_t(tiles[uint8_t(line[x])]);
      }
      row++;
    }
  }
  if (list.planes.empty()) d.Fail("no planes");
  SwapLevelPlanes(list);
  AllocRegisters(0);  // the writer reads the water line from its register
  Reg(kRegWaterLine) = int32_t(water);
  ByteWriter bytes;
  WriteLevelData(bytes, false);
  SaveOrFail(kTool, out, bytes.bytes.data(), bytes.bytes.size());
  return 0;
}
