// Player movement cost. `movement`: one player at 16 pixels a frame round a
// wrapped track of hills (slopes up to about 40 degrees) for 10,000 frame
// steps. `movement-frame`: whole game frames with two players on that
// track and 100 moving objects around them.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "game/game_frame.h"
#include "game/headless.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "objects/collision_passes.h"
#include "physics/movement_frame.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile.h"
#include "world/tile_plane.h"

using namespace tolv;

constexpr uint32_t kTrackWidth = 256, kTrackHeight = 32;  // tiles; the track wraps after 2,048 pixels

static double Ground(double x) {
  return 160 + 32 * std::sin(x * 2 * M_PI / 512) + 10 * std::sin(x * 2 * M_PI / 128);
}

static std::vector<uint16_t> track_map;
static std::vector<uint32_t> track_rows;
static TilePlane track_planes[2];

// Tile 1 is solid; every tile the surface crosses is a tile of its own,
// tagged with the surface's direction across it.
static void BuildTrack() {
  std::vector<Tile> track_tiles(2);
  for (uint8_t& b : track_tiles[1].collision) b = 2;
  track_map.assign(kTrackWidth * (kTrackHeight + 1) + 1, 0);
  for (uint32_t ty = 0; ty < kTrackHeight; ty++)
    for (uint32_t tx = 0; tx < kTrackWidth; tx++) {
      Tile t;
      int solid = 0;
      for (int x = 0; x < 8; x++)
        for (int y = 0; y < 8; y++) {
          bool s = ty * 8 + y >= Ground(tx * 8 + x);
          t.collision[x * 8 + y] = s ? 2 : 0;
          solid += s;
        }
      uint16_t id = solid == 64 ? 1 : 0;
      if (solid && solid < 64) {
        t.angle = static_cast<uint8_t>(std::lround(std::atan2(Ground(tx * 8 + 8) - Ground(tx * 8), 8) * 128 / M_PI) & 255);
        id = static_cast<uint16_t>(track_tiles.size());
        track_tiles.push_back(t);
      }
      track_map[ty * kTrackWidth + tx] = id;
    }
  track_rows.resize(kTrackHeight);
  for (uint32_t y = 0; y < kTrackHeight; y++) track_rows[y] = y * kTrackWidth;
  for (TilePlane& p : track_planes) {
    p.width = kTrackWidth;
    p.height = kTrackHeight;
    p.map = track_map.data();
    p.row_starts = track_rows.data();
    p.cell_count = kTrackWidth * kTrackHeight;
    p.map_cells = track_map.size();
  }
  ReplaceTiles(track_tiles);
  planes = track_planes;
  plane_count = 2;
}

// Both views wrap round the track horizontally.
static void SetTrackRegisters() {
  for (int p = 0; p < 2; p++) {
    registers[39 + p] = 1;
    registers[23 + p] = 0;
    registers[27 + p] = registers[47 + p] = kTrackWidth * 8;
    registers[25 + p] = 0;
    registers[29 + p] = registers[49 + p] = kTrackHeight * 8;
  }
}

static SpriteFrame runner_frame;
static ObjectType types[2];

static void PutPlayerOnTrack(int p, int32_t x) {
  PlayerRecord* r = &player_records[p];
  PVar(r, kPvX) = x;
  PVar(r, kPvY) = static_cast<int32_t>(std::ceil(Ground(x)));
  PVar(r, kPvPlane) = 1;
  PVar(r, kPvOnGround) = 1;
  PVar(r, kPvGroundSpeed) = 16 * 256;
  PVar(r, kPvFlags) = static_cast<int32_t>(kGroundSpeedDrives | kFollowSlopes | kLandOnFloor | 1u << 4);
  PlayerCharVar(r, kCharStepHeight) = 8;
}

// What a game's scripts would add: gravity in the air.
static void Fall(int p) {
  PlayerRecord* r = &player_records[p];
  if (!PVar(r, kPvOnGround)) PVar(r, kPvSpeedY) = Add32(PVar(r, kPvSpeedY), 56);
}

static int32_t laps = 0;

static void LoadGame() {
  character_register_count = 9;
  player_register_count = kPvWordCount;
  runner_frame.box = runner_frame.mirrored_box = Box{-6, 6, -16, 0};
  characters[0].sprites = SpriteSet{&runner_frame, 1};
  character_count = 1;
  AllocPlayerVars();
  types[1].range_action = -1;
  types[1].variable_count = 8;
  types[1].builtin_movement = builtin_movers[2];
  types[1].builtin_drawing = builtin_drawers[0];
  object_types = types;
  object_type_counts.total = object_type_counts.game = 2;
  SetupScriptContexts();
  for (int p = 0; p < 2; p++) {
    SetPlayerCharacter(p, 0);
    PutPlayerOnTrack(p, 40 + 600 * p);
  }
}

static void StartLevel() {
  SetTrackRegisters();
  for (int32_t p = 0; p < 2; p++) SpawnObject(kTypePlayerObject, 0, 0, 80, 0, 0, 1, &p);
  for (int i = 0; i < 100; i++) SpawnObject(1, 40 + 600 * (i & 1) + i, 120, i % 7, i, 0, 0, nullptr);
}

static double Best(int rounds, int n, void (*body)()) {
  using clock = std::chrono::steady_clock;
  double best = 1e30;
  for (int r = 0; r < rounds; r++) {
    auto start = clock::now();
    for (int i = 0; i < n; i++) body();
    double ns = std::chrono::duration<double, std::nano>(clock::now() - start).count() / n;
    if (ns < best) best = ns;
  }
  return best;
}

// The camera step of a following view brings a player that left the wrap
// window back into it.
static void OneStep() {
  Fall(0);
  SelectPlayer(0);
  movement_routines[PVar(&player_records[0], kPvMovementMode) & 3](0);
  int32_t& x = PVar(&player_records[0], kPvX);
  if (x >= int32_t{kTrackWidth * 8}) x -= kTrackWidth * 8, laps++;
}

static void OneFrame() {
  Fall(0);
  Fall(1);
  RunGameFrame();
}

int main() {
  StartHeadlessEngine();
  BuildTrack();
  StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, 1);
  int32_t x0 = PVar(&player_records[0], kPvX);
  double step = Best(3, 10000, OneStep);
  int32_t moved = PVar(&player_records[0], kPvX) - x0 + laps * int32_t{kTrackWidth * 8};
  std::printf("movement: %.0f ns/step (%.1f px/frame along the track)\n", step, moved / 30000.0);
  StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, 1);
  double frame = Best(3, 1000, OneFrame);
  std::printf("movement-frame: %.1f us (2 players, %u objects)\n", frame / 1000, ActiveObjectCount() - 2);
  ResetObjectSlots();
  return 0;
}
