// The level: the tile planes of the running game in drawing order, its
// size as the editors see it, and the view state a new level resets.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/tile_plane.h"

namespace tolv {

constexpr uint64_t kMaxLevelCells = uint64_t(1) << 26;  // map cells of all planes
constexpr uint32_t kMaxPlanes = 255;                    // plane_count is a byte

extern uint32_t level_width;   // widest Flat plane, in tiles
extern uint32_t level_height;  // tallest Flat plane
extern std::string level_file_path;  // the last level file opened

// What the planes hold: a level read whole (from level_file_path, or a
// saved state), the default level, or the default level put in place
// because the level file named by a load could not be used.
enum LevelSource : uint8_t { kLevelFromFile, kLevelDefault, kLevelFallback };
extern LevelSource level_source;

// Planes that own their arrays and free them with the list. Every map
// cell it hands out counts against kMaxLevelCells.
struct PlaneList {
  std::vector<TilePlane> planes;
  uint64_t cells = 0;

  PlaneList() = default;
  PlaneList(const PlaneList&) = delete;
  PlaneList& operator=(const PlaneList&) = delete;
  ~PlaneList();

  // Appends InitPlane(type, width, height); null, with nothing added, when
  // a side exceeds kMaxPlaneSide or the cells would pass kMaxLevelCells.
  TilePlane* Add(uint8_t type, uint32_t width, uint32_t height);
};

// Makes next's planes the level's (planes, plane_count); the old planes
// move into next and are freed with it.
void SwapLevelPlanes(PlaneList& next);
// No planes at all.
void FreeLevel();

// The level a game starts with: a 80 x 60 opaque Relative plane and two
// Flat planes, with the default camera limits and wrap of both players.
void ResetDefaultPlanes();

// What any new level does to the view: camera at 0, editor on plane 0
// with no plane shown.
void ResetLevelView();
// The widest and tallest Flat plane in tiles as the planes were given
// them (a level file's smaller planes enlarged), unlike level_width.
void FlatPlaneSize(uint32_t* width, uint32_t* height);
// Both players' camera limits and targets: 0 left and top, right and
// bottom at the widest and tallest Flat plane in pixels.
void SetLimitsFromFlatPlanes();

}  // namespace tolv
