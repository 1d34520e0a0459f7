// Compile-then-run fuzzing: fuzzed source becomes the global scripts, the
// Movement, Drawing and Collision code of three object types and the player
// functions of both players, then runs a few frames with a low lane budget
// on a small level, so every command handler meets arbitrary operands.
#include <new>

#include "compile_harness.h"
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
#include "render/draw_routines.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/script_state.h"
#include "world/level.h"
#include "world/tile.h"
#include "../tests/objects/world_scripts.h"

using namespace tolv;

constexpr int kTypes = 4;
constexpr int kMaxFunctions = 6;
static ActionGroup actions[1];
static uint16_t main_labels[1];

static ScriptFunction CopyFunction(const ScriptFunction& fn) {
  FunctionBuilder b;
  for (uint16_t i = 0; i < fn.count; i++) b.Add(InstructionAt(fn, i), InstructionLength(fn, i));
  return b.Finish();
}

static void SetUpOnce() {
  fuzz::SetUpScratchGame();
  StartHeadlessEngine();
  lane_budget = 2000;
}

// Two small planes whose cells run through tiles with floor, angle and
// collision bytes and ids beyond the default set of 2000.
static void BuildLevel() {
  for (uint32_t i = 0; i < 4; i++) {
    if (i * 500 >= tile_count) break;
    Tile& t = tiles[i * 500];
    t.floor = uint8_t(16 * i);
    t.angle = uint8_t(64 * i);
    for (int k = 0; k < 64; k++) t.collision[k] = uint8_t((k + i) % 3);
  }
  PlaneList next;
  for (uint32_t side : {12u, 5u}) {
    TilePlane* p = next.Add(kPlaneFlat, side, side - 1);
    for (uint32_t y = 0; y < p->height; y++)
      for (uint32_t x = 0; x < p->width; x++) *PlaneCell(*p, x, y) = uint16_t((x + 3 * y) % 6 * 500);
  }
  SwapLevelPlanes(next);
  SetLimitsFromFlatPlanes();
}

// A 3 x 2 tile map at type variable 1 of o (its type has 16 variables).
static void GiveMap(ObjectSlot* o) {
  const int32_t map[] = {1, 3, 2, 0, 0, 500, 1000, 1500, 2000, 2500};
  std::copy(map, map + 10, o->vars + 7);
}

// Types 1..3 run function t - 1 (mod n) in each of their three kinds;
// both players play character 0, whose labels name functions 0 and 1.
static void BuildWorld(uint16_t n) {
  AllocRegisters(16);
  ResetRegisters();
  BuildLevel();
  // Heap types, as the loaders keep them: a reload command frees them.
  object_types = static_cast<ObjectType*>(std::malloc(kTypes * sizeof(ObjectType)));
  for (int t = 0; t < kTypes; t++) {
    ObjectType& ty = *new (&object_types[t]) ObjectType{};
    ty.variable_count = t == 1 ? 16 : 8;
    ty.range_action = -1;
    ty.builtin_movement = builtin_movers[0];
    ty.builtin_drawing = builtin_drawers[0];
    uint16_t f = uint16_t((t + n - 1) % n);
    if (t) ty.movement_label = ty.drawing_label = ty.collision_label = f;
  }
  object_type_counts = ScopeCounts{};
  object_type_counts.total = object_type_counts.game = kTypes;
  SetupScriptContexts();
  BindScriptFunctions();
  AllocPlayerVars();
  actions[0] = ActionGroup{};
  actions[0].before_label = 0;
  actions[0].after_label = uint16_t(1 % n);
  main_labels[0] = uint16_t(n - 1);
  characters[0] = Character{};
  characters[0].actions = actions;
  characters[0].action_count = 1;
  characters[0].main_labels = main_labels;
  characters[0].main_label_count = 1;
  character_count = 1;
  player_count = 2;
  for (int p = 0; p < 2; p++) {
    PlayerRecord& r = player_records[p];
    BindContext(r.character_ctx, script_commands, &player_functions);
    BindContext(r.main_ctx, timed_commands, &player_functions);
    SetPlayerCharacter(p, 0);
    int32_t arg = p;
    SpawnObject(kTypePlayerObject, 50 + 40 * p, 80, 0, 0, 0, 1, &arg);
  }
  SelectPlayer(0);
  for (int t = 1; t < kTypes; t++)
    if (SpawnObject(t, 30 * t, 60, t, 0, 0, 0, nullptr) && t == 1) GiveMap(last_spawned_slot);
  int32_t plane_object[2] = {1, 1};
  SpawnObject(kTypePlaneSwitch, 0, 0, 0, 0, 0, 2, plane_object);
  current_context = &global_context;
  for (uint16_t f = 0; f < n; f++) StartFunction(f);
}

// Whether ResetSlot would change anything: resetting all 8192 slots each
// run would cost more than the run.
static bool Touched(const ObjectSlot& o) {
  for (int k = 0; k < kFreeSlotVars; k++)
    if (k != 5 && o.vars[k]) return true;
  return o.var_count != kFreeSlotVars || o.stat_instance || o.snapshot_index != 65535 || o.range_latch != 1 ||
         o.range_state != 255 || o.mover != builtin_movers[0] || o.parent || o.children ||
         o.movement_ctx.lane_funcs || o.drawing_ctx.lane_funcs || o.animation_ctx.lane_funcs ||
         o.animation_ctx.counters;
}

static void ResetTouchedSlots() {
  for (ObjectSlot& o : object_pool)
    if (Touched(o)) ResetSlot(&o);
  std::memset(cell_object_counts, 0, sizeof cell_object_counts);
  deleted_count = spawn_count = slot_cursor = snapshot_count = 0;
  registers[kRegActiveObjects] = 0;
}

static void TearDownWorld() {
  ResetTouchedSlots();
  std::free(object_types);
  test::FreeWorldScripts();
  BuildCommandTables();
  ResetMachineState();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (SetUpOnce(), true);
  (void)ready;
  if (size > 8192) return 0;
  FileStream s;
  fuzz::FillStream(s, data, size);
  uint16_t n = 0;
  fuzz::CompileAll(s, kMaxFunctions, [&n](ScriptFunction fn) {
    AppendFunction(script_functions, fn);
    n++;
  });
  if (n) {
    for (uint16_t f = 0; f < n; f++) {
      const ScriptFunction& fn = script_functions.functions[f];
      for (int k : {kMovementCode, kDrawingCode, kCollisionCode}) AppendFunction(object_code_sets[k], CopyFunction(fn));
      AppendFunction(player_functions, CopyFunction(fn));
    }
    for (CodeSet* c : {&script_functions, &player_functions, &object_code_sets[0], &object_code_sets[1],
                       &object_code_sets[2]})
      c->game = c->total;
    try {
      BuildWorld(n);
      RunHeadlessFrames(3);
    } catch (const fuzz::Fatal&) {
    }
  }
  fuzz::ResetAfterCompile();
  TearDownWorld();
  return 0;
}
