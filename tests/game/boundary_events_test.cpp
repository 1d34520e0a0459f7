// Boundary events: the three kinds and their edges, the label flags, the
// retry mark of command 846, and labels that replace what the test walks.
#include "game/act_records.h"
#include "game/boundary_events.h"
#include "objects/player_frame.h"
#include "world/level_generation.h"
#include "../objects/world_fixture.h"

namespace tolv::test {
namespace {

using V = std::vector<int32_t>;
constexpr uint32_t kReplaceZone = 1548;  // test command: the act records go, as a zone load does

class BoundaryTest : public WorldTest {
 protected:
  SpriteFrame frame;
  SpriteSet set{&frame, 1};

  void SetUp() override {
    WorldTest::SetUp();
    SetUpCharacter(65535, 65535);
    frame.box = Box{-4, 6, -10, 0};
    frame.mirrored_box = Box{-6, 4, 0, 10};
    for (PlayerRecord& r : player_records) {
      r.frames = &set;
      PVar(&r, 32) = 65535;  // as the level start leaves it
    }
    script_commands[kReplaceZone] = [] {
      act_table.clear();
      level_generation++;
    };
    act_table.assign(1, ActRecord{});
    registers[kRegAct] = 0;
    global_context.table = script_commands;
  }
  void TearDown() override {
    act_table.clear();
    WorldTest::TearDown();
  }
  // A global function: trace `tag`, then the given instructions.
  static uint16_t Label(int32_t tag, Func rest = {}) {
    FunctionBuilder b;
    b.Add({kTrace, static_cast<uint32_t>(tag)});
    for (const Instr& i : rest) b.Add(i);
    uint16_t n = static_cast<uint16_t>(AppendFunction(script_functions, b.Finish()));
    BindScriptFunctions();
    return n;
  }
  // An event x1..x2-1 by y1..y2-1, as zone.def gives it.
  static BoundaryEvent& Event(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t kind,
                              std::vector<std::pair<uint16_t, uint8_t>> labels) {
    BoundaryEvent e;
    e.x1 = x1, e.y1 = y1, e.x2 = x2 - 1, e.y2 = y2 - 1, e.kind = kind;
    for (auto [l, f] : labels) e.labels.push_back(l), e.values.push_back(f);
    e.label_count = static_cast<uint16_t>(e.labels.size());
    act_table[0].events.push_back(e);
    return act_table[0].events.back();
  }
  // Player p at (x, y) tested once; the tags its labels traced.
  static V Check(int p, int32_t x, int32_t y) {
    PlayerRecord* r = &player_records[p];
    PVar(r, kPvX) = x, PVar(r, kPvY) = y;
    SelectPlayer(p);
    trace.clear();
    CheckBoundaryEvents();
    return Traced();
  }
  static int32_t Last(int p) { return PVar(&player_records[p], 32); }
};

TEST_F(BoundaryTest, KindsTestTheirEdges) {
  uint16_t l = Label(1);
  struct Case {
    uint8_t kind;
    int32_t x, y, camera_x;
    bool fires;
  } cases[] = {
      {1, 198, 50, 0, true},  {1, 199, 50, 0, false}, {1, 100, 0, 0, true},  {1, 99, 50, 0, false},
      {2, 203, 50, 0, true},  // box left edge 199 still overlaps the stored right edge
      {2, 204, 50, 0, false}, {2, 96, 110, 0, true},   // box top 100 is the stored bottom
      {0, 0, 0, 198, true},   {0, 150, 50, 199, false}, {7, 150, 50, 150, false},
  };
  for (const Case& c : cases) {
    act_table[0].events.clear();
    Event(100, 0, 200, 101, c.kind, {{l, 0}});
    registers[19] = c.camera_x, registers[21] = 50;
    PVar(&player_records[0], 32) = 65535;
    EXPECT_EQ(Check(0, c.x, c.y), c.fires ? V{1} : V{}) << "kind " << int(c.kind) << " at " << c.x << "," << c.y;
  }
  // The world box: mirrored across x, turned a quarter on a wall.
  PlayerRecord* r = &player_records[0];
  PVar(r, kPvFlipX) = 1;
  Check(0, 100, 50);
  EXPECT_EQ((V{r->motion[kWorldLeft], r->motion[kWorldRight], r->motion[kWorldTop], r->motion[kWorldBottom]}),
            (V{94, 104, 40, 50}));
  PVar(r, kPvFlipX) = 0;
  PVar(r, kPvFlags) = 1 << 10;
  PVar(r, kPvMovementMode) = 3;
  Check(0, 100, 50);
  EXPECT_EQ((V{r->motion[kWorldLeft], r->motion[kWorldRight], r->motion[kWorldTop], r->motion[kWorldBottom]}),
            (V{90, 100, 46, 56}));
}

TEST_F(BoundaryTest, AnEventRunsAgainOnlyAfterAnother) {
  Event(0, 0, 100, 100, 1, {{Label(1), 0}});
  Event(100, 0, 200, 100, 1, {{Label(2), 0}, {Label(3), 0}});
  Event(200, 0, 300, 100, 1, {});
  EXPECT_EQ(Check(0, 50, 50), V{1});
  EXPECT_EQ(Check(0, 60, 50), V{});
  EXPECT_EQ(Check(0, 150, 50), (V{2, 3}));
  EXPECT_EQ(Check(0, 50, 50), V{1});
  EXPECT_EQ(Check(0, 250, 50), V{});  // no labels: recorded all the same
  EXPECT_EQ(Last(0), 2);
  EXPECT_EQ(Check(1, 50, 50), V{1});  // each player has its own
  EXPECT_EQ(Check(0, 500, 500), V{});
  EXPECT_EQ(Last(0), 2);
}

TEST_F(BoundaryTest, FlagsRunLabelsOnceForAllOrOncePerPlayer) {
  Event(0, 0, 100, 100, 1, {{Label(10), 0}, {Label(20), 2}, {Label(30), 0}});
  Event(100, 0, 200, 100, 1, {{Label(40), 1}, {Label(50), 0}});
  EXPECT_EQ(Check(0, 50, 50), (V{10, 20, 30}));
  EXPECT_EQ(Check(0, 150, 50), (V{40, 50}));
  EXPECT_EQ(Check(0, 50, 50), V{10});  // stops at the spent label and every later one
  EXPECT_EQ(Check(1, 150, 50), V{});   // spent for all players
  EXPECT_EQ(Check(1, 50, 50), (V{10, 20, 30}));
  EXPECT_EQ(act_table[0].events[0].values, (std::vector<uint8_t>{0, 0x32, 0}));
  EXPECT_EQ(act_table[0].events[1].values, (std::vector<uint8_t>{0xF1, 0}));
}

TEST_F(BoundaryTest, RetryMarkAndEventsTouchedTogether) {
  Event(0, 0, 100, 100, 1, {{Label(1, {{846}, {kTrace, 99}}), 0}});
  EXPECT_EQ(Check(0, 50, 50), V{1});
  EXPECT_EQ(Check(0, 50, 50), V{1});  // 846 ended the label and left the event unrecorded
  EXPECT_EQ(Last(0), 65535);
  act_table[0].events.clear();
  Event(0, 0, 100, 100, 2, {{Label(2), 0}});
  Event(100, 0, 200, 100, 2, {{Label(3), 0}});
  for (int frame = 0; frame < 3; frame++) EXPECT_EQ(Check(0, 98, 50), (V{2, 3}));  // box 94..104
  EXPECT_EQ(Last(0), 1);
}

TEST_F(BoundaryTest, ALabelThatReplacesTheZoneEndsTheTest) {
  Event(0, 0, 100, 100, 1, {{Label(1, {{kReplaceZone}, {kTrace, 2}}), 0}, {Label(3), 0}});
  Event(100, 0, 200, 100, 2, {{Label(4), 0}});
  EXPECT_EQ(Check(0, 98, 50), (V{1, 2}));  // the label itself runs to its end
  EXPECT_EQ(Last(0), 0);
  EXPECT_TRUE(act_table.empty());
  EXPECT_EQ(Check(0, 98, 50), V{});  // no act: only the box is written
  EXPECT_EQ(player_records[0].motion[kWorldRight], 104);
}

}  // namespace
}  // namespace tolv::test
