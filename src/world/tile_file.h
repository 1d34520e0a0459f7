// The tile-set file "STIL": tiles, palette sets and stamp lists, read in
// versions 0 to 4 (version 0 with its ".dat" collision companion) and
// written as version 4. A read parses into new storage and replaces the
// live set only when the whole file was sound.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "world/palette.h"
#include "world/stamps.h"
#include "world/tile.h"

namespace tolv {

extern std::string tile_file_path;       // the last tile file loaded
extern std::string collision_file_path;  // its ".dat" companion, for version 0

constexpr int kTileVersion = 4;      // what the writer writes
constexpr int kBadTileData = -1;     // damaged or cut short
constexpr uint32_t kVersion0Tiles = 2000;
constexpr uint32_t kMaxTileFileSize = 256u << 20;

// A tile set parsed apart from the live one.
struct StagedTileSet {
  std::vector<Tile> tiles;
  std::vector<PaletteSet> palette_sets;
  std::vector<StampList> stamp_lists;
  StagedTileSet() = default;
  StagedTileSet(const StagedTileSet&) = delete;
  StagedTileSet& operator=(const StagedTileSet&) = delete;
  ~StagedTileSet() { FreeTiles(tiles); }
};

// Parses a tile set at r's position (no magic when embedded). Result: the
// version byte (0 also without magic); the set is staged only for versions
// 0 to 4. kBadTileData when the bytes end early or hold a count they
// cannot; r.failed is set then.
int ParseTileData(ByteReader& r, bool embedded, StagedTileSet& out);
// Replaces the live tiles, palette sets and stamps with the staged ones.
void InstallTileSet(StagedTileSet& s);

// Reads a tile set into the live one and reloads both palette banks (also
// for an unknown version, which keeps the set). Result as ParseTileData;
// on kBadTileData nothing has changed.
int ReadTileData(ByteReader& r, bool embedded);
void WriteTileData(ByteWriter& w, bool embedded);

// The companion of a version-0 file: the last component's extension
// replaced by "dat" (appended without one).
std::string CollisionFileName(const std::string& tile_path);
// Collision maps of the first 2000 tiles from a ".dat" companion: the
// whole records it holds, the rest cleared; a missing one clears every
// map. False (maps untouched) when it is too large to read.
bool ReadTileCollisionFile(const char* path);

// 2000 tiles (those below keep their frames), the default palette set,
// one empty stamp list.
void ResetTileSet();
// Loads and remembers a tile file; notices in the message log.
void LoadTileFile(const char* path);
// Writes the live set as version 4 inside the game folder.
bool SaveTileFile(const char* path);

}  // namespace tolv
