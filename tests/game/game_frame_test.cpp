// The game frame and the headless driver: order of the frame, the pause
// menu, the object list file and a deterministic long run.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/wrap32.h"
#include "files/game_files.h"
#include "game/game_frame.h"
#include "game/headless.h"
#include "objects/object_list.h"
#include "objects/stat_obj_hooks.h"
#include "../objects/world_fixture.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;

TEST_F(WorldTest, GameFrameRunsInRangeObjectsAndCountsFrames) {
  types[1].range_action = 0;
  Mover(1);
  registers[19] = 0, registers[21] = 0;
  Spawn(1, 20, 1, 100, 100);
  Spawn(1, 10, 2, 5000, 100);  // out of every view: runs once, at spawn
  uint32_t start = game_frame_counter;
  for (int i = 0; i < 3; i++) RunGameFrame();
  EXPECT_EQ(Traced(), (V{1, 2, 1, 1}));
  EXPECT_EQ(game_frame_counter, start + 3);
  EXPECT_EQ(registers[kRegCameraX], registers[20]);  // player 1's view was prepared last
  EXPECT_EQ(registers[kRegView], 1);
  registers[kRegFreeze] = 2;  // the counter stops
  RunGameFrame();
  EXPECT_EQ(game_frame_counter, start + 3);
}

// What each view's camera is when its planes scroll, less the view's own
// position, frame after frame.
std::vector<V> seen_shake;
void RecordShake() {
  const int32_t v = registers[kRegPlayer];
  seen_shake[size_t(2 * v)].push_back(Wrap32Sub(registers[kRegCameraX], registers[kRegViewX + v]));
  seen_shake[size_t(2 * v + 1)].push_back(Wrap32Sub(registers[kRegCameraY], registers[kRegViewY + v]));
}

TEST_F(WorldTest, ScreenShakeMovesEachViewsCameraAndDiesDown) {
  const V still(8, 0), shaken{3, -3, 2, -2, 1, -1, 0, 0};
  void (*const saved_scroll)() = update_plane_scroll;
  update_plane_scroll = RecordShake;
  view_count = 2;
  // Registers 56 and 57 shake views 0 and 1 sideways, 58 and 59 up and down.
  const struct {
    uint32_t reg;
    size_t moved;  // index into seen_shake
  } cases[] = {{kRegShakeX, 0}, {kRegShakeX + 1, 2}, {kRegShakeY, 1}, {kRegShakeY + 1, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reg);
    registers[19] = 100, registers[20] = 200, registers[21] = 300, registers[22] = 400;
    registers[c.reg] = 3;
    seen_shake.assign(4, {});
    for (int f = 0; f < 8; f++) RunGameFrame();
    for (size_t k = 0; k < 4; k++) EXPECT_EQ(seen_shake[k], k == c.moved ? shaken : still) << k;
    EXPECT_EQ(registers[c.reg], 0);
  }
  registers[kRegShakeX] = -1;  // a negative start: -1, 0
  registers[kRegShakeY] = INT32_MIN;  // wraps rather than overflows
  seen_shake.assign(4, {});
  RunGameFrame();
  RunGameFrame();
  EXPECT_EQ(seen_shake[0], (V{-1, 0}));
  EXPECT_EQ(seen_shake[1], (V{INT32_MIN, INT32_MAX}));
  update_plane_scroll = saved_scroll;
  view_count = 1;
}

TEST_F(WorldTest, PauseMenuRunsInsteadOfTheWorldWhileItsObjectLives) {
  Mover(1);
  static int stat_runs;
  stat_runs = 0;
  run_stat_obj = [] { stat_runs += running_slot == pause_slot; };
  stat_obj_def_counts.total = 1;
  build_stat_obj = [](uint32_t) { return int32_t{1}; };
  Spawn(1, 10, 1);
  int32_t def = 0;
  ASSERT_TRUE(SpawnObject(kTypePauseMenu, 0, 0, -65535, 9, 0, 1, &def));
  pause_slot = last_spawned_slot;
  pause_stat_obj = 0;
  registers[kRegPause] = 1;
  trace.clear();
  RunGameFrame();
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(stat_runs, 1);
  pause_slot->vars[0] = 0;  // the menu's object is gone: no menu
  RunGameFrame();
  EXPECT_EQ(Traced(), (V{1}));
  pause_slot = &void_slot;
  pause_stat_obj = 65535;
}

TEST_F(WorldTest, CtrlQWritesTheObjectList) {
  char dir[] = "/tmp/tolv_objlist_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  std::string saved = game_folder;
  game_folder = dir;
  Mover(1);
  Spawn(1, 10, 1, 11, 12);
  Spawn(1, 5, 2, 21, 22);
  key_state[128 + 29] = 1;
  key_state[16] = 1;
  Frame();
  std::ifstream in(std::string(dir) + "/objlist.txt");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "   0 type 1 x 11 y 12 key 10 frame 0 word5 1 flags 0 vars 11 slot 0\n"
            "   1 type 1 x 21 y 22 key 5 frame 0 word5 2 flags 0 vars 11 slot 1\n");
  std::remove((std::string(dir) + "/objlist.txt").c_str());
  game_folder = std::string(dir) + "/missing";
  EXPECT_FALSE(WriteObjectList());
  game_folder = saved;
  rmdir(dir);
}

// A small game: a spawner drops random walkers that are deleted once they
// leave the view, a hunter deletes whatever stands at list index 30, the
// walkers re-key themselves at random, and player 0 follows with the camera.
struct SampleWorld {
  static ObjectType types[5];
  static void Load() {
    auto fn = [](ObjectCodeKind kind, Func f) {
      return static_cast<uint16_t>(AppendFunction(object_code_sets[kind], MakeFunction(f)));
    };
    for (ObjectType& t : types) {
      t = ObjectType{};
      t.variable_count = 4;
      t.builtin_movement = builtin_movers[0];
      t.builtin_drawing = builtin_drawers[1];
    }
    types[1].range_action = -1;
    types[1].movement_label = fn(kMovementCode, {{kSpawnHere, 2, 50, 7}, {kYieldLoop, 0}});
    types[2].range_action = 3;
    types[2].movement_label = fn(kMovementCode, {{kRandSelf, 1, 5}, {kAddSelf, 1, static_cast<uint32_t>(-2)},
                                                 {kRandSelf, 2, 2}, {kAddSelf, 2, static_cast<uint32_t>(-1)},
                                                 {kRandSelf, 7, 40}, {kAddSelf, 7, static_cast<uint32_t>(-20)},
                                                 {kQueueVar, 7}, {kYieldLoop, 0}});
    types[2].drawing_label = fn(kDrawingCode, {{kAddSelf, 8, 1}, {kYieldLoop, 0}});
    types[3].range_action = -1;
    types[3].movement_label = fn(kMovementCode, {{kDeleteAt, 30}, {kRandSelf, 9, 3}, {kYieldLoop, 0}});
    object_types = types;
    object_type_counts = ScopeCounts{};
    object_type_counts.total = object_type_counts.game = 5;
    SetupScriptContexts();
    AllocRegisters(8);
    AllocPlayerVars();
    characters[0] = Character{};
    character_count = 1;
    PlayerRecord* r = &player_records[0];
    r->character = 0;
    PVar(r, kPvCharacter) = 0;
  }
  static void StartLevel() {
    SpawnObject(1, 160, 100, 100, 0, 0, 0, nullptr);
    SpawnObject(3, 0, 0, 90, 0, 0, 0, nullptr);
    int32_t p = 0;
    SpawnObject(kTypePlayerObject, 0, 0, 80, 0, 0, 1, &p);
    PlayerRecord* r = &player_records[0];
    PVar(r, kPvFlags) = 1 << 4;
    PVar(r, kPvX) = 160;
    r->character_vars[1] = -16, r->character_vars[2] = 16, r->character_vars[5] = 2;
    registers[kRegLevelStarted] = 1;
  }
};
ObjectType SampleWorld::types[5];

TEST_F(WorldTest, ThousandFramesFromAFixedSeedRepeatExactly) {
  HeadlessGame game{SampleWorld::Load, SampleWorld::StartLevel};
  auto run = [&] {
    StartHeadlessGame(game, 12345);
    RunHeadlessFrames(1000);
    WorldCapture w = CaptureWorld();
    for (CodeSet& c : object_code_sets) FreeCodeSet(c);
    return w;
  };
  WorldCapture a = run();
  WorldCapture b = run();
  EXPECT_EQ(a.frame, 1000u);
  EXPECT_GT(a.objects.size(), 20u);
  EXPECT_TRUE(a == b);
  StartHeadlessGame(game, 54321);
  RunHeadlessFrames(1000);
  EXPECT_FALSE(CaptureWorld() == a);
}

}  // namespace
}  // namespace tolv::test
