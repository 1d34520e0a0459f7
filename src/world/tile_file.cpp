// Loading and saving tile-set files, and the ".dat" collision companion of
// version 0. Notices name the path as text, split to the log's width.
#include "world/tile_file.h"

#include <cstdio>
#include <cstring>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"

namespace tolv {

std::string tile_file_path;
std::string collision_file_path;

constexpr uint32_t kCompanionRecord = 2 + 64;  // two unused bytes, then the map

static void Notice(const char* what, const std::string& path) {
  ShowMessageLines((std::string(what) + path).c_str());
}

std::string CollisionFileName(const std::string& tile_path) {
  const size_t slash = tile_path.find_last_of("/\\");
  const size_t dot = tile_path.rfind('.');
  const bool has_ext = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (has_ext ? tile_path.substr(0, dot) : tile_path) + ".dat";
}

// Maps of the first 2000 tiles from the companion's bytes: as many whole
// records as there are, the maps of the rest cleared (as without one).
static void ApplyCollisionBytes(const std::vector<uint8_t>& bytes, Tile* list, size_t count) {
  ByteReader r(bytes.data(), bytes.size());
  for (size_t i = 0; i < kVersion0Tiles && i < count; i++) {
    uint8_t map[64] = {};
    if (r.Left() >= kCompanionRecord) {
      r.Skip(2);
      r.Bytes(map, sizeof map);
    }
    std::memcpy(list[i].collision, map, sizeof map);
  }
}

enum class Companion { kRead, kMissing, kBad };

static Companion ReadCompanion(const char* path, Tile* list, size_t count) {
  std::vector<uint8_t> bytes;
  GameFileRead got = ReadGameFileBytes(path, bytes, kMaxTileFileSize);
  if (got == GameFileRead::kMissing) return Companion::kMissing;
  if (got == GameFileRead::kTooLarge) return Companion::kBad;
  ApplyCollisionBytes(bytes, list, count);
  return Companion::kRead;
}

bool ReadTileCollisionFile(const char* path) {
  switch (ReadCompanion(path, tiles, tile_count)) {
    case Companion::kRead: return true;
    case Companion::kMissing: ClearCollisionMaps(); return true;
    case Companion::kBad: break;
  }
  Notice("Bad tile file ", path ? path : "");
  return false;
}

void ResetTileSet() {
  ResizeTiles(kVersion0Tiles);
  ResetPaletteSets();
  ResetStamps();
}

void LoadTileFile(const char* path) {
  const std::string name = path ? path : "";  // path may be tile_file_path itself
  std::vector<uint8_t> bytes;
  GameFileRead got = ReadGameFileBytes(name.c_str(), bytes, kMaxTileFileSize);
  if (got == GameFileRead::kMissing) {
    ResetTileSet();
    Notice("Can't open ", name);
    return;
  }
  StagedTileSet staged;
  ByteReader r(bytes.data(), bytes.size());
  int version = got == GameFileRead::kRead ? ParseTileData(r, false, staged) : kBadTileData;
  if (version == kBadTileData) {
    Notice("Bad tile file ", name);
    return;
  }
  if (version > kTileVersion) {
    ReloadPaletteBanks();
    char what[48];
    std::snprintf(what, sizeof what, "Unknown version %d of tile file ", version);
    Notice(what, name);
    return;
  }
  if (version == 0) {
    const std::string dat = CollisionFileName(name);
    if (ReadCompanion(dat.c_str(), staged.tiles.data(), staged.tiles.size()) == Companion::kBad) {
      Notice("Bad tile file ", dat);
      return;
    }
    collision_file_path = dat;
  }
  tile_file_path = name;
  InstallTileSet(staged);
  ReloadPaletteBanks();
}

bool SaveTileFile(const char* path) {
  const std::string name = path ? path : "";
  ByteWriter w;
  WriteTileData(w, false);
  std::string target;
  if (!GameWritePath(name.c_str(), &target) || !SaveFileAtomically(target, w.bytes)) {
    Notice("Can't save ", name);
    return false;
  }
  Notice("Saved ", name);
  return true;
}

}  // namespace tolv
