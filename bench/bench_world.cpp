// World update cost: 4,000 always-active objects, each moved by the
// fixed-point mover and a four-instruction Movement script that picks new
// random speeds, updated for 1,000 frames.
#include <chrono>
#include <cstdio>

#include "bench_harness.h"
#include "game/headless.h"
#include "objects/builtin_routines.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/spawn.h"
#include "objects/world_update.h"
#include "script/machine.h"
#include "script/registers.h"

using namespace tolv;

static ObjectType types[2];

static void LoadWorld() {
  FunctionBuilder b;
  b.Add({139, 0});                    // OD := self
  b.Add({1172, 0xFFFFFF00u, 256, 9});  // X speed: -256 .. 256
  b.Add({1172, 0xFFFFFF00u, 256, 10});
  b.Add({1527, 0});  // yield; next frame from the top
  AppendFunction(object_code_sets[kMovementCode], b.Finish());
  types[1].range_action = -1;
  types[1].variable_count = 8;
  types[1].builtin_movement = builtin_movers[2];
  types[1].builtin_drawing = builtin_drawers[0];
  types[1].movement_label = 0;
  object_types = types;
  object_type_counts.total = object_type_counts.game = 2;
  SetupScriptContexts();
}

static void StartLevel() {
  for (int i = 0; i < 4000; i++) SpawnObject(1, i % 320, i / 320, i % 7, i, 0, 0, nullptr);
}

int main() {
  StartHeadlessEngine();
  StartHeadlessGame(HeadlessGame{LoadWorld, StartLevel}, 1);
  UpdateWorld();  // sorts the spawns in
  using clock = std::chrono::steady_clock;
  double best = 1e30;
  for (int round = 0; round < 3; round++) {
    auto start = clock::now();
    for (int f = 0; f < 1000; f++) UpdateWorld();
    double us = std::chrono::duration<double, std::micro>(clock::now() - start).count() / 1000;
    if (us < best) best = us;
  }
  std::printf("world: %.1f us/frame (%u objects)\n", best, ActiveObjectCount());
  ResetObjectSlots();
  return 0;
}
