// Zones, acts, the level start and the reload commands.
#include "audio/sound_lists.h"
#include "game/act_records.h"
#include "game/object_defs.h"
#include "loading_fixture.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "render/font.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"
#include "world/palette.h"
#include "world/sprite_sets.h"

namespace tolv::test {
namespace {

using LevelTest = LoadingTest;

void Restart(int zone, int act) {
  Reg(kRegZone) = zone;
  Reg(kRegAct) = act;
  Reg(kRegLevelStarted) = 0;
  StartLevel();
}

TEST_F(LevelTest, FirstStartLoadsZoneAndAct) {
  Start("full.gdf");
  EXPECT_EQ(Reg(kRegLoadedZone), 1);
  EXPECT_EQ(Reg(kRegLoadedAct), 0);
  EXPECT_EQ(Reg(kRegLevelStarted), 1);
  EXPECT_EQ(loaded_zone, 1);
  EXPECT_EQ(string_slot_count, 5);
  EXPECT_STREQ(StringSlotText(3), "Zone one");
  EXPECT_EQ(script_functions.game, 4);
  EXPECT_EQ(script_functions.zone, 3);
  EXPECT_EQ(script_functions.act, 1);
  EXPECT_EQ(script_functions.total, 8);
  EXPECT_EQ(User(6), 61);  // the act's start function z0 ran
  EXPECT_EQ(sound_counts.zone, 1);
  EXPECT_EQ(font_counts.zone, 1);
  EXPECT_EQ(stat_obj_def_counts.zone, 1);
  EXPECT_EQ(debug_type_count, 2);
  EXPECT_EQ(debug_types[0], 1);
  EXPECT_EQ(debug_types[1], 3);
  ASSERT_EQ(act_table.size(), 1u);
  const BoundaryEvent& e = act_table[0].events.at(0);
  EXPECT_EQ(std::vector<int32_t>({e.x1, e.y1, e.x2, e.y2}), std::vector<int32_t>({0, 0, 99, 99}));
  EXPECT_EQ(e.labels, std::vector<uint16_t>({7}));
  EXPECT_EQ(e.values, std::vector<uint8_t>({5}));
  EXPECT_EQ(PVar(&player_records[0], 32), 65535);
  EXPECT_EQ(PVar(&player_records[0], 5), PVar(&player_records[0], 3) - 160);
  EXPECT_EQ(WorkingFolder(), game_folder);
}

TEST_F(LevelTest, RestartReloadsNothing) {
  Start("full.gdf");
  const uint32_t* zone_fn = script_functions.functions[4].words;
  const uint32_t* act_fn = script_functions.functions[7].words;
  const SpriteSet* zone_set = sprite_sets[2];
  ClearMessages();
  Reg(256 + 6) = 0;
  Restart(1, 0);
  EXPECT_EQ(script_functions.functions[4].words, zone_fn);
  EXPECT_EQ(script_functions.functions[7].words, act_fn);
  EXPECT_EQ(sprite_sets[2], zone_set);
  EXPECT_FALSE(Logged("Creating one Zone set with a blank frame"));
  EXPECT_EQ(User(6), 61);  // the start function ran again
}

TEST_F(LevelTest, ActChangeKeepsTheZone) {
  Start("full.gdf");
  Restart(2, 0);
  EXPECT_EQ(User(0), 11);  // act 0 starts game function 0
  ASSERT_EQ(act_table.size(), 2u);
  const uint32_t* zone_fn = script_functions.functions[4].words;
  Restart(2, 1);
  EXPECT_EQ(script_functions.functions[4].words, zone_fn);
  EXPECT_EQ(script_functions.act, 2);
  EXPECT_EQ(User(8), 82);  // a1: game 4 + zone 1 + 1
  EXPECT_EQ(sound_counts.act, 1);
  EXPECT_EQ(sound_counts.total, 3);
  EXPECT_EQ(object_type_counts.act, 1);
  EXPECT_EQ(object_types[3].flags, 2);
  EXPECT_EQ(object_def_paths[2], "zone02/objects/act1.def");
  const BoundaryEvent& e = act_table[1].events.at(0);
  EXPECT_EQ(e.labels, std::vector<uint16_t>({1, 4}));
  EXPECT_EQ(act_table[1].events.at(1).x1, 100);
  EXPECT_EQ(font_counts.total, 1);  // zone 2 has no fonts: only the game's
  Restart(2, 0);  // back to an act without data: the act scope empties
  EXPECT_EQ(sound_counts.total, 2);
  EXPECT_EQ(object_type_counts.total, 3);
  EXPECT_EQ(object_def_paths[2], "");
}

// A new zone or act starts both banks on palette set 0, with its colours;
// a restart of the same act keeps the set the game chose.
TEST_F(LevelTest, NewActStartsBothBanksOnPaletteSetZero) {
  Start("full.gdf");
  palette_sets.assign(2, PaletteSet{});
  palette_sets[0].rows.assign(1, PaletteRow{{PaletteColour{200, 0, 0}}});
  palette_sets[1].rows.assign(1, PaletteRow{{PaletteColour{0, 0, 200}}});
  auto choose_set_one = [] {
    for (int bank : {1, 0}) {
      Reg(kRegView) = bank;
      SelectPaletteBank(bank);
      SelectPaletteSet(1);
    }
  };
  auto shown = [] {
    return std::vector<int32_t>{Reg(kRegPaletteSet), Reg(kRegBankPaletteSet), Reg(kRegBankPaletteSet + 1),
                                palette_banks[0].rgb[0][0], palette_banks[1].rgb[0][0]};
  };
  const std::vector<int32_t> set_one{1, 1, 1, 0, 0}, set_zero{0, 0, 0, 200, 200};
  choose_set_one();
  Restart(1, 0);
  EXPECT_EQ(shown(), set_one);
  Restart(2, 0);
  EXPECT_EQ(shown(), set_zero);
  choose_set_one();
  Restart(2, 1);
  EXPECT_EQ(shown(), set_zero);
  palette_sets.clear();
}

TEST_F(LevelTest, ActOutsideTheZoneStartsActZero) {
  Load("full.gdf");
  Reg(kRegAct) = 5;
  StartLevel();
  EXPECT_TRUE(Logged("Zone 1 has no act 5:"));
  EXPECT_EQ(Reg(kRegLoadedAct), 0);
  EXPECT_EQ(User(6), 61);
}

TEST_F(LevelTest, ZoneDefFatalErrors) {
  Load("full.gdf");
  auto fails_with = [&](const std::string& text) {
    Write(Game() / "zone03" / "zone.def", text);
    Reg(kRegLoadedZone) = 255;
    return FatalMessage([] { Restart(3, 0); });
  };
  Write(Game() / "zone03" / "funcs" / "two.def", ":2\n#End\n#End\n");
  const std::string head = ":NONE\n:0\n:NONE\n:NONE\n:NONE\n:0\n";
  const std::string act = ":g0\n:NONE\n:NONE\n:NONE\n:NONE\n:0\n:0\n:0\n";
  EXPECT_EQ(fails_with(head + ":0\n:0\n:1\n" + act + ":0\n:0\n"), "");
  EXPECT_EQ(fails_with(head + ":0\n:0\n:0\n:0\n"), "Zone 3 has 0 acts\nA zone has 1 to 255 acts");
  EXPECT_EQ(fails_with(head + ":3\n:1\n:funcs/two.def\n"), "3 Zone Functions allocated by Zone Def\nOnly 2 were defined and loaded");
  EXPECT_EQ(fails_with(head + ":1\n:1\n:funcs/two.def\n"),
            "1 Zone Functions allocated by Zone Def\nCurrent file attempts to load a total of 2");
  EXPECT_EQ(fails_with(head + ":1\n:1\n:funcs/none.def\n"), "funcs/none.def not found");
  const std::string events = ":2\n:0\n:0\n:100\n:100\n:0\n:0\n:99\n:0\n:200\n:100\n:0\n:0\n";
  EXPECT_EQ(fails_with(head + ":0\n:0\n:1\n" + act + events + ":0\n"),
            "Boundary Events 1 and 0 overlap");
  const std::string apart = ":2\n:0\n:0\n:100\n:100\n:0\n:0\n:100\n:0\n:200\n:100\n:0\n:0\n";
  EXPECT_EQ(fails_with(head + ":0\n:0\n:1\n" + act + apart + ":0\n"), "");
  const std::string act_funcs = ":g0\n:NONE\n:NONE\n:NONE\n:NONE\n:0\n:3\n:1\n:funcs/two.def\n:0\n";
  EXPECT_EQ(fails_with(head + ":0\n:0\n:1\n" + act_funcs + ":0\n"),
            "3 Act Functions allocated by Zone Def\nOnly 2 were defined and loaded");
  const std::string act_many = ":g0\n:NONE\n:NONE\n:NONE\n:NONE\n:0\n:1\n:1\n:funcs/two.def\n:0\n";
  EXPECT_EQ(fails_with(head + ":0\n:0\n:1\n" + act_many + ":0\n"),
            "1 Act Functions allocated by Zone Def\nCurrent file attempts to load a total of 2");
  EXPECT_EQ(FatalMessage([] { Restart(9, 0); }), "Zone folder \"zone09\" not found");
  fs::create_directories(Game() / "zone09");
  EXPECT_EQ(FatalMessage([] { Restart(9, 0); }), "File \"zone.def\" not found");
}

TEST_F(LevelTest, XmEffectFunctionGoesWithItsScope) {
  Start("full.gdf");
  xm_effect_function = 3;  // a game function: kept
  Restart(2, 0);
  EXPECT_EQ(xm_effect_function, 3);
  xm_effect_function = 4;  // the first zone function: dropped with the zone
  Restart(1, 0);
  EXPECT_EQ(xm_effect_function, 65535);
  xm_effect_function = 7;  // the act's function: dropped with the act
  Restart(2, 0);
  EXPECT_EQ(xm_effect_function, 65535);
}

// Runs a function of one instruction list in a scratch context, one turn.
struct Lane {
  CodeSet set;
  ScriptContext ctx;
  explicit Lane(std::initializer_list<std::initializer_list<uint32_t>> instrs) {
    FunctionBuilder b;
    for (auto& i : instrs) b.Add(i);
    AppendFunction(set, b.Finish());
    BindContext(ctx, script_commands, &set);
    current_context = &ctx;
    StartFunction(0);
  }
  ~Lane() {
    current_context = &ctx;
    ClearContext();
    FreeCodeSet(set);
    current_context = &global_context;
  }
  void Turn() {
    current_context = &ctx;
    RunLanes();
  }
};

TEST_F(LevelTest, GoToLevelCommand) {
  Start("full.gdf");
  Reg(200) = 2;
  Reg(kRegPause) = 1;
  Lane lane({{42, 0x40000000u | 200, 1}, {346}});
  lane.Turn();
  EXPECT_EQ(Reg(kRegZone), 2);  // the register's value, not its index
  EXPECT_EQ(Reg(kRegAct), 1);
  EXPECT_EQ(Reg(kRegLevelStarted), 0);
  EXPECT_EQ(Reg(kRegPause), 0);
  StartLevel();
  EXPECT_EQ(User(8), 82);
}

TEST_F(LevelTest, ReloadCommandsResumeNextFrame) {
  Start("full.gdf");
  Write(Game() / "zone01" / "funcs" / "act0.def", ":1\n~Eval U8 = 90\n#End\n");
  fs::remove(Game() / "zone01" / "objects" / "zone.spr");  // a zone reload then says so
  ClearMessages();
  Lane lane({{1523}, {45, 209, 9}, {1524}, {45, 209, 10}, {346}});
  lane.Turn();
  EXPECT_EQ(Reg(209), 0);  // the lane stopped after the reload
  current_context = &global_context;
  RunFunctionNow(7);
  EXPECT_EQ(User(8), 90);  // the act's function came from the file again
  EXPECT_EQ(script_functions.total, 8);
  EXPECT_FALSE(Logged("Creating one Zone set with a blank frame"));
  lane.Turn();
  EXPECT_EQ(Reg(209), 9);
  EXPECT_TRUE(Logged("Creating one Zone set with a blank frame"));  // 1524 reloaded the zone
  lane.Turn();
  EXPECT_EQ(Reg(209), 10);
  Reg(kRegAct) = 3;  // the zone has one act
  Lane bad({{1523}, {346}});
  EXPECT_EQ(FatalMessage([&] { bad.Turn(); }), "Zone 1 has no act 3");
}

}  // namespace
}  // namespace tolv::test
