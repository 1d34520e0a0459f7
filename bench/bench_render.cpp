// Drawing cost at 424x240, each figure with the time memcpy takes for the
// same bytes in the same run: 256 sprites of 32x32 (half their pixels
// transparent, all four flips, one in ten crossing an edge), and a whole
// scene of three planes and 64 sprites drawn by the draw pass.
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "bench_harness.h"
#include "game/headless.h"
#include "objects/builtin_routines.h"
#include "objects/draw_pass.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/spawn.h"
#include "objects/world_update.h"
#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/screen_mode.h"
#include "script/machine.h"
#include "script/registers.h"
#include "world/tile_plane.h"

using namespace tolv;

struct Sprite {
  std::vector<uint8_t> pixels = std::vector<uint8_t>(32 * 32);
  SpriteFrame frame;
};

static Sprite MakeSprite(std::mt19937& rng) {
  Sprite s;
  for (auto& p : s.pixels) p = rng() % 2 ? uint8_t(1 + rng() % 255) : 0;
  s.frame.width = s.frame.height = 32;
  s.frame.pixels = s.pixels.data();
  return s;
}

struct Placement {
  int32_t x, y;
  int flip;
};

static double MemcpyNs(size_t bytes) {
  static std::vector<uint8_t> from(bytes, 1), to(bytes);
  from.resize(bytes), to.resize(bytes);
  return bench::TimePerUnit([&] { std::memcpy(to.data(), from.data(), bytes); asm volatile("" ::: "memory"); }, 1);
}

static void BenchSprites() {
  std::mt19937 rng(1);
  Sprite sprite = MakeSprite(rng);
  std::vector<Placement> at(256);
  for (size_t i = 0; i < at.size(); i++) {
    bool edge = i % 10 == 0;
    at[i] = {edge ? int32_t(rng() % 2 ? -16 : 408) : int32_t(rng() % 392), int32_t(rng() % 208), int(i % 4)};
  }
  double ns = bench::TimePerUnit(
      [&] {
        for (const Placement& p : at) draw_routines.draw_sprite[p.flip](&sprite.frame, 0, 0, p.x, p.y);
      },
      at.size());
  double copy = MemcpyNs(at.size() * 32 * 32) / double(at.size());
  std::printf("sprites: %.0f sprites/ms (memcpy of the same bytes %.0f sprites/ms, ratio %.2f)\n", 1e6 / ns,
              1e6 / copy, ns / copy);
}

// The scene: three 128x64-tile planes of 2000 tiles (70% opaque), 64
// objects drawing a 32x32 frame each.
static std::vector<Tile> scene_tiles(2000);
static std::vector<uint8_t> tile_pixels(2000 * 64);
static TilePlane scene_planes[3];
static std::vector<uint16_t> maps[3];
static std::vector<uint32_t> row_starts(64), wraps(64, 128);
static std::vector<int32_t> offsets(64);
static Sprite scene_sprite;
static SpriteSet sprite_set;
static SpriteSet* set_list[1] = {&sprite_set};
static ObjectType types[2];

static void LoadScene() {
  std::mt19937 rng(2);
  for (int t = 0; t < 2000; t++) {
    bool opaque = t % 10 < 7;
    for (int i = 0; i < 64; i++) tile_pixels[t * 64 + i] = opaque || rng() % 2 ? uint8_t(1 + rng() % 255) : 0;
    scene_tiles[t].current_frame = &tile_pixels[t * 64];
    scene_tiles[t].opaque = opaque;
  }
  tiles = scene_tiles.data(), tile_count = 2000;
  for (int r = 0; r < 64; r++) row_starts[r] = uint32_t(r * 128), offsets[r] = r;
  for (int p = 0; p < 3; p++) {
    maps[p].resize(128 * 64);
    for (auto& id : maps[p]) id = uint16_t(rng() % 2000);
    TilePlane& pl = scene_planes[p];
    pl.width = 128, pl.height = 64, pl.cell_count = pl.map_cells = 128 * 64, pl.type = uint8_t(p == 0 ? 1 : 2);
    pl.flags = p == 0 ? 1 : 0;
    pl.map = maps[p].data(), pl.row_starts = row_starts.data();
    pl.line_offsets = offsets.data(), pl.line_wraps = wraps.data(), pl.other_wrap = 64, pl.other_offset = 7 * p;
  }
  planes = scene_planes, plane_count = 3;
  scene_sprite = MakeSprite(rng);
  sprite_set = SpriteSet{&scene_sprite.frame, 1};
  FunctionBuilder b;
  b.Add({1527, 0});
  AppendFunction(object_code_sets[kAnimationCode], b.Finish());
  static uint16_t anim = 0;
  types[1].range_action = -1;
  types[1].builtin_movement = builtin_movers[0];
  types[1].builtin_drawing = builtin_drawers[4];
  types[1].sprite_lists = set_list, types[1].sprite_list_count = 1;
  types[1].animation_labels = &anim, types[1].animation_label_count = 1;
  object_types = types;
  object_type_counts.total = object_type_counts.game = 2;
  SetupScriptContexts();
}

static void StartScene() {
  for (int p = 0; p < 3; p++) {
    int32_t args[2] = {p, 1};
    SpawnObject(kTypePlaneSwitch, 0, 0, 100 - p * 40, 0, 0, 2, args);
  }
  std::mt19937 rng(3);
  for (int i = 0; i < 64; i++) {
    SpawnObject(1, int32_t(rng() % 440) - 8, int32_t(rng() % 256) - 8, 50, 0, 0, 0, nullptr);
    last_spawned_slot->vars[6] = i % 4;
  }
}

static void BenchScene() {
  StartHeadlessGame(HeadlessGame{LoadScene, StartScene}, 1);
  SetScreenMode(5);
  UpdateWorld();
  double ns = bench::TimePerUnit([] { DrawScene(0); }, 1, 5, 0.5);
  double copy = MemcpyNs(size_t(424) * 240);
  std::printf("frame: %.0f us (memcpy of the frame %.1f us, ratio %.1f; 3 planes, 64 sprites at 424x240)\n",
              ns / 1000, copy / 1000, ns / copy);
}

int main() {
  StartHeadlessEngine();
  SetScreenMode(5);
  BenchSprites();
  BenchScene();
  return 0;
}
