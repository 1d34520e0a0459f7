// Collision pass cost: two players among 500 objects, 100 of them near the
// view (with Collision and Projectile Collision scripts that test boxes),
// and 200 projectiles near the view moved by mover 3 at 8 pixels a frame.
// A frame is 8 player passes per player (one per pixel of an 8-pixel step)
// and every projectile's move (9 passes each). Heap allocations are counted
// over the timed frames through malloc itself, so realloc and operator new
// count too.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "game/headless.h"
#include "objects/builtin_routines.h"
#include "objects/collision_passes.h"
#include "objects/draw_order.h"
#include "objects/draw_pass.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "objects/spawn.h"
#include "script/command_ids.h"
#include "render/draw_routines.h"
#include "script/registers.h"

static uint64_t allocations = 0;
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
void* malloc(size_t n) {
  allocations++;
  return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
  allocations++;
  return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
  allocations++;
  return __libc_realloc(p, n);
}
void free(void* p) { __libc_free(p); }
}

using namespace tolv;

constexpr int kNear = 100, kFar = 400, kProjectiles = 200, kStepsPerPlayer = 8;

static ObjectType types[3];
static Box attack[2] = {{-2, 2, -3, 3}, {-1, 3, -3, 3}}, hurt[2] = {{-4, 4, -4, 4}, {-3, 5, -4, 4}};
static SpriteFrame frame;
static SpriteSet set{&frame, 1};
static SpriteSet* sets[1] = {&set};
static uint16_t animation[1] = {0};

static uint16_t Add(ObjectCodeKind kind, std::initializer_list<std::initializer_list<uint32_t>> code) {
  FunctionBuilder b;
  for (auto& i : code) b.Add(i);
  return static_cast<uint16_t>(AppendFunction(object_code_sets[kind], b.Finish()));
}

static void LoadWorld() {
  frame.width = frame.height = 16;
  frame.box = Box{-8, 8, -12, 4};
  frame.mirrored_box = Box{-7, 9, -12, 4};
  frame.attack_boxes = &attack[0];
  frame.mirrored_attack_boxes = &attack[1];
  frame.hurt_boxes = &hurt[0];
  frame.mirrored_hurt_boxes = &hurt[1];
  frame.attack_count = frame.hurt_count = 1;
  // Collision: the player's hurt boxes against the object's attack boxes;
  // Projectile Collision: the projectile's attack boxes against its hurt boxes.
  uint16_t collision = Add(kCollisionCode, {{347, 2, 1, 1}, {1222, 6, 200}, {kCmdEndFunction}});
  uint16_t pcollision = Add(kPCollisionCode, {{348, 1, 2, 1}, {1223, 6, 201}, {kCmdEndFunction}});
  animation[0] = Add(kAnimationCode, {{1527, 0}});
  for (int t = 1; t <= 2; t++) {
    ObjectType& k = types[t];
    k.range_action = -1;
    k.variable_count = 8;
    k.builtin_movement = builtin_movers[t == 2 ? 3 : 0];
    k.builtin_drawing = builtin_drawers[0];
    k.builtin_collision = builtin_collisions[0];
    k.builtin_pcollision = builtin_pcollisions[0];
    k.collision_label = t == 1 ? collision : 65535;
    k.pcollision_label = t == 1 ? pcollision : 65535;
    k.sprite_list_count = 1;
    k.sprite_lists = sets;
    k.animation_label_count = 1;
    k.animation_labels = animation;
  }
  object_types = types;
  object_type_counts.total = object_type_counts.game = 3;
  SetupScriptContexts();
  AllocPlayerVars();
}

static void StartLevel() {
  for (int i = 0; i < kNear; i++) SpawnObject(1, 20 + (i % 10) * 30, 20 + (i / 10) * 20, 0, 0, 0, 0, nullptr);
  for (int i = 0; i < kFar; i++) SpawnObject(1, 5000 + i * 10, 3000, 0, 0, 0, 0, nullptr);
  for (int i = 0; i < kProjectiles; i++) SpawnObject(2, (i % 20) * 16, 10 + (i / 20) * 22, 0, 0, 0, 0, nullptr);
  for (int p = 0; p < 2; p++) {
    PlayerRecord& r = player_records[p];
    r.frames = &set;
    r.main_ctx.function_count = 1;
    r.main_ctx.lane_funcs[0] = 0;
    r.main_ctx.frame_values[0] = 0;
    int32_t box[10] = {-8, 8, -12, 4, -7, 7, -11, 3, 0, -4};
    for (int k = 0; k < 10; k++) r.motion[k] = box[k];
    PVar(&r, kPvX) = 150 + 10 * p;
    PVar(&r, kPvY) = 100 + 10 * p;
  }
  registers[13] = 320, registers[14] = 240, registers[47] = 2000, registers[49] = 1000;
}

static ObjectSlot* projectiles[kProjectiles];

static void RunFrame() {
  for (int p = 0; p < 2; p++) {
    SelectPlayer(p);
    for (int s = 0; s < kStepsPerPlayer; s++) collide_player_with_objects();
  }
  for (int i = 0; i < kProjectiles; i++) {
    ObjectSlot* o = projectiles[i];
    o->vars[1] = (i % 20) * 16;  // back to the start: every frame moves the same 8 pixels
    o->vars[9] = i % 2 ? 2048 : -2048;
    running_slot = o;
    o->mover();
  }
}

// Baseline: as many walks of the nine lists as the frame's passes, calling
// each listed object's routine and nothing else.
static void BareWalks() {
  for (int pass = 0; pass < 2 * kStepsPerPlayer + 9 * kProjectiles; pass++)
    for (int cell = 0; cell < 9; cell++)
      for (uint32_t i = 0; i < cell_object_counts[cell]; i++) {
        running_slot = cell_object_lists[cell][i];
        if (const ObjectType* t = FindObjectType(running_slot->vars[0])) t->builtin_pcollision();
      }
}

template <typename Fn>
static double BestMicros(Fn fn, int frames) {
  double best = 1e30;
  for (int round = 0; round < 3; round++) {
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; f++) fn();
    double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / frames;
    if (us < best) best = us;
  }
  return best;
}

int main() {
  StartHeadlessEngine();
  StartHeadlessGame(HeadlessGame{LoadWorld, StartLevel}, 1);
  DrawSceneObjects(0);  // the lists of view 0
  int found = 0;
  for (uint32_t i = 0; i < ActiveObjectCount(); i++)
    if (object_slots[i]->vars[0] == 2) projectiles[found++] = object_slots[i];
  for (int f = 0; f < 3; f++) RunFrame();  // warm: lists and lanes at their sizes
  constexpr int kFrames = 100;
  uint64_t before = allocations;
  double us = BestMicros(RunFrame, kFrames);
  double allocs = double(allocations - before) / (3 * kFrames);
  double bare = BestMicros(BareWalks, kFrames);
  std::printf("passes: %.1f us/frame (%.1f times a bare walk of the lists; %d player passes, %d projectiles, "
              "%u objects listed; %.2f heap allocations/frame)\n",
              us, us / bare, 2 * kStepsPerPlayer, kProjectiles, cell_object_counts[4], allocs);
  ResetObjectSlots();
  return 0;
}
