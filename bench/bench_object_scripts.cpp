// Object scripts side by side with Lua: 1000 objects, each running a
// 20-instruction Movement script per frame through the world update
// (position step, three bounces, a timer and a gravity step read from a
// data table), and the same logic in Lua over 1000 tables. Both sides
// print a checksum of the objects after one round, so the two do the same.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "game/headless.h"
#include "objects/draw_order.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "objects/spawn.h"
#include "objects/world_update.h"
#include "script/command_ids.h"
#include "script/machine.h"
#include "script/script_tables.h"

using namespace tolv;

static constexpr int kObjects = 1000, kFrames = 200, kRounds = 5;
static ObjectType types[2];

// Object variables: 1 X, 2 Y, 7 X speed, 8 Y speed, 9 timer.
static void LoadWorld() {
  const uint32_t r0 = kRegisterBit | 100, r1 = kRegisterBit | 101;
  FunctionBuilder b;
  b.Add({139, 5});              // 0  OA, OD := self
  b.Add({1100, 7, 1});          // 1  X += X speed
  b.Add({1100, 8, 2});          // 2  Y += Y speed
  b.Add({125, 1, 0, 6});        // 3  if X < 0
  b.Add({144, 1, 0});           // 4    X := 0
  b.Add({790, 7});              // 5    X speed := -X speed
  b.Add({kCmdEndIf});           // 6
  b.Add({126, 1, 4000, 10});    // 7  if X > 4000
  b.Add({144, 1, 4000});        // 8    X := 4000
  b.Add({790, 7});              // 9    X speed := -X speed
  b.Add({kCmdEndIf});           // 10
  b.Add({126, 2, 3000, 14});    // 11 if Y > 3000
  b.Add({144, 2, 3000});        // 12   Y := 3000
  b.Add({790, 8});              // 13   Y speed := -Y speed
  b.Add({kCmdEndIf});           // 14
  b.Add({664, 9});              // 15 timer += 1
  b.Add({480, 9, 15, r0});      // 16 r0 := timer & 15
  b.Add({1285, 0, r0, r1});     // 17 r1 := gravity table [r0] (16-bit)
  b.Add({1080, r1, 8});         // 18 Y speed += r1
  b.Add({kCmdYieldingJump, 0});  // 19 next frame from the top
  AppendFunction(object_code_sets[kMovementCode], b.Finish());
  types[1].range_action = -1;
  types[1].variable_count = 3;
  types[1].movement_label = 0;
  object_types = types;
  object_type_counts.total = object_type_counts.game = 2;
  SetupScriptContexts();
  ResizeScriptTables(script_table_counts.total, 1);
  script_table_counts = {1, 0, 0, 1};
  int16_t g[16];
  for (int i = 0; i < 16; i++) g[i] = int16_t(i % 5 - 2);
  std::memcpy(NewScriptTable(0, sizeof g), g, sizeof g);
}

static void StartLevel() {
  for (int i = 0; i < kObjects; i++) SpawnObject(1, 0, 0, 0, i, 0, 0, nullptr);
}

// Every object as the Lua side starts its tables.
static void ResetObjects() {
  for (uint32_t i = 0; i < ActiveObjectCount(); i++) {
    int32_t* v = object_slots[i]->vars;
    int32_t k = v[5];
    v[1] = k * 4 % 4000, v[2] = k * 3 % 3000, v[7] = k % 7 - 3, v[8] = k % 5 - 2, v[9] = k;
  }
}

static bool RunLua(double& us, long long& sum) {
  char cmd[512];
  std::snprintf(cmd, sizeof cmd, "lua5.4 %s/object_scripts.lua %d %d 2>/dev/null", TOLV_BENCH_DIR, kFrames, kRounds);
  FILE* p = popen(cmd, "r");
  if (!p) return false;
  bool ok = std::fscanf(p, "%lf %lld", &us, &sum) == 2;
  pclose(p);
  return ok;
}

int main() {
  StartHeadlessEngine();
  StartHeadlessGame(HeadlessGame{LoadWorld, StartLevel}, 1);
  UpdateWorld();  // sorts the spawns in
  using clock = std::chrono::steady_clock;
  double best = 1e30;
  long long sum = 0;
  for (int round = 0; round < kRounds; round++) {
    ResetObjects();
    auto start = clock::now();
    for (int f = 0; f < kFrames; f++) UpdateWorld();
    double us = std::chrono::duration<double, std::micro>(clock::now() - start).count() / kFrames;
    if (us < best) best = us;
    sum = 0;
    for (uint32_t i = 0; i < ActiveObjectCount(); i++) sum += object_slots[i]->vars[1] + 3ll * object_slots[i]->vars[2];
  }
  double lua_us = 0;
  long long lua_sum = 0;
  if (!RunLua(lua_us, lua_sum)) {
    std::printf("object-scripts: tolv %.1f us/frame, lua5.4 not available\n", best);
  } else if (lua_sum != sum) {
    std::fprintf(stderr, "object-scripts: checksums differ, tolv %lld, lua5.4 %lld\n", sum, lua_sum);
    return 1;
  } else {
    std::printf("object-scripts: tolv %.1f us/frame, lua5.4 %.1f us/frame, ratio %.2f\n", best, lua_us,
                best / lua_us);
  }
  ResetObjectSlots();
  return 0;
}
