// make_tile_file OUT.til GAME_FOLDER DESCRIPTION: writes the tile set that
// DESCRIPTION draws as text, built by the engine's tile-set writer.
//   palette PICTURE   an 8-bit PCX or TGA of GAME_FOLDER whose colours become
//                     the set's one palette set (192 rows of one colour:
//                     entries 0-63 and 128-255); without it, no colour rows
// then per tile, ids from 0:
//   ANGLE FLOOR       the tile's angle and floor bytes (0-255)
//   eight rows        eight pixel colours in hex, one digit each (0-F) or two
//                     each (00-FF), a blank, and eight collision marks:
//                     '.' empty, '-' stood on from above only, '#' solid
// One empty stamp list follows.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "base/byte_writer.h"
#include "files/working_folder.h"
#include "render/image.h"
#include "tool_text.h"
#include "world/palette.h"
#include "world/tile_file.h"

using namespace tolv;

static constexpr const char* kTool = "make_tile_file";

static void ReadPalette(TextDescription& d, const std::string& name, PaletteSet& set) {
  Image image;
  if (!LoadImageFile(name.c_str(), &image, 0)) d.Fail("no 8-bit PCX or TGA picture " + name);
  set.rows.resize(192);
  for (uint32_t i = 0; i < 192; i++) {
    const uint8_t* c = image.palette + 3 * PaletteRowEntry(i);
    set.rows[i].colours.assign(1, PaletteColour{c[0], c[1], c[2], 0});
  }
  FreeImage(&image);
}

static int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

static std::string Quoted(char c) { return std::string{'\'', c, '\''}; }

// One pixel row and its collision marks into row y of the tile.
static void ReadRow(TextDescription& d, const std::string& text, int y, uint8_t* pixels, uint8_t* collision) {
  std::istringstream words(text);
  std::string colours, marks, extra;
  words >> colours >> marks;
  const size_t digits = colours.size() / 8;
  if ((colours.size() != 8 && colours.size() != 16) || marks.size() != 8 || (words >> extra))
    d.Fail("a tile row is 8 or 16 hex digits, a blank and 8 collision marks");
  for (int x = 0; x < 8; x++) {
    int value = 0;
    for (size_t k = 0; k < digits; k++) {
      const int h = HexDigit(colours[x * digits + k]);
      if (h < 0) d.Fail(Quoted(colours[x * digits + k]) + " is not a hex digit");
      value = value * 16 + h;
    }
    pixels[y * 8 + x] = static_cast<uint8_t>(value);
    const char m = marks[x];
    if (m != '.' && m != '-' && m != '#') d.Fail("collision mark " + Quoted(m) + " is not '.', '-' or '#'");
    collision[x * 8 + y] = m == '#' ? 2 : m == '-' ? 1 : 0;
  }
}

// The tile whose "ANGLE FLOOR" line is `head`.
static void ReadTile(TextDescription& d, const std::string& head, Tile& t) {
  std::istringstream words(head);
  int angle = -1, floor = -1;
  std::string extra;
  if (!(words >> angle >> floor) || (words >> extra) || angle < 0 || angle > 255 || floor < 0 || floor > 255)
    d.Fail("expected a tile's angle and floor, each 0-255");
  t.angle = static_cast<uint8_t>(angle);
  t.floor = static_cast<uint8_t>(floor);
  auto* pixels = static_cast<uint8_t*>(std::calloc(64, 1));
  if (!pixels) d.Fail("out of memory");
  t.current_frame = t.frame_store = pixels;
  t.frame_count = 1;
  std::string text;
  for (int y = 0; y < 8; y++) {
    if (!d.Next(text)) d.Fail("the tile ends before its eighth row");
    ReadRow(d, text, y, pixels, t.collision);
  }
}

int main(int argc, char** argv) {
  TextDescription d;
  OpenDescription(argc, argv, kTool, "OUT.til", d);
  const std::string out = ComposePath(argv[1]);
  UseGameFolder(kTool, argv[2]);
  StagedTileSet set;
  PaletteSet palette;
  std::string text;
  while (d.Next(text)) {
    if (text.rfind("palette ", 0) == 0) {
      ReadPalette(d, text.substr(8), palette);
      continue;
    }
    if (set.tiles.size() == 65535) d.Fail("more than 65535 tiles");
    set.tiles.emplace_back();
    ReadTile(d, text, set.tiles.back());
  }
  if (set.tiles.empty()) d.Fail("no tiles");
  set.palette_sets.push_back(palette);
  set.stamp_lists.emplace_back();
  InstallTileSet(set);
  ByteWriter bytes;
  WriteTileData(bytes, false);
  SaveOrFail(kTool, out, bytes.bytes.data(), bytes.bytes.size());
  return 0;
}
