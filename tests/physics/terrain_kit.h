// Terrain drawn as text for the movement tests: tiles as 8x8 blocks of
// collision bytes ('.' 0, '-' 1 a platform, '#' 2 solid) under a header of
// "key:angle" words, a level as lines of tile keys, and one player standing
// in it. Traces record a run frame by frame as text.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "script/records.h"
#include "physics/movement_frame.h"
#include "world/tile.h"
#include "world/sprite_frame.h"
#include "world/tile_plane.h"

namespace tolv::test {

// The engine below the physics folder, with the physics routines installed.
void StartPhysics();

class TerrainKit {
 public:
  TerrainKit();
  ~TerrainKit();
  // Tile blocks: a header line of "key:angle" words, then eight rows, each
  // eight characters per tile, tiles separated by blanks. Blocks may follow
  // one another.
  void AddTiles(const char* art);
  // Planes 0 and 1, both this terrain: one key per tile, ' ' and '.' empty.
  void SetLevel(const char* art);
  // A round hole of radius r pixels centred on pixel (cx, cy), cut into
  // solid terrain: the tiles it touches become tiles of their own, those on
  // its rim tagged with the direction of a player running round it
  // anticlockwise on screen (right along the bottom).
  void CutLoop(int32_t cx, int32_t cy, int32_t r);
  // The terrain turned a quarter turn anticlockwise on screen: pixel (x, y)
  // moves to (y, W - 1 - x) and every tile angle loses 64, so a floor
  // becomes a right wall.
  void TurnAnticlockwise();
  int32_t Width() const { return static_cast<int32_t>(width_ * 8); }
  int32_t Height() const { return static_cast<int32_t>(height_ * 8); }

 private:
  void Install();
  std::vector<Tile> tiles_;
  std::map<char, uint16_t> keys_;
  std::vector<uint16_t> map_;
  std::vector<uint32_t> rows_;
  TilePlane planes_[2];
  uint32_t width_ = 0, height_ = 0;
};

struct PlayerSetup {
  int32_t x = 0, y = 0;
  Box box{-6, 6, -16, 0};
  uint32_t flags = kGroundSpeedDrives | kFollowSlopes | kLandOnFloor;
  uint8_t step_height = 6, wall_top_inset = 2;
  int32_t mode = 0;
  int32_t on_ground = 1;
  int32_t ground_speed = 0;
};

// Player 0 with one frame whose box is `box`, on plane 1, selected; the
// camera limits span the plane.
void PlacePlayer(const PlayerSetup& s);
int32_t& Word(uint32_t k);  // player 0's PlayerVars word k

// Runs `frames` frame steps of player 0. `control` runs before each one
// (what a game's scripts do: speeds, jumps); while the player is airborne
// (gx, gy) is added to its speeds. One line per frame.
struct Gravity {
  int32_t x = 0, y = 56;
};
std::string RunTrace(int frames, const std::function<void(int frame)>& control, Gravity g = {});
std::string TraceLine(int frame);

// Runs one command of script_commands with the given words (at most 8).
void RunCommand(std::initializer_list<uint32_t> words);

// Compares a trace with tests/physics/golden/<name>.txt; with
// TOLV_UPDATE_GOLDEN set in the environment it writes the file instead.
void ExpectGolden(const std::string& name, const std::string& trace);

}  // namespace tolv::test
