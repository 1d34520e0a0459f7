// Game descriptors and game.def: what a load brings in, what a second load
// leaves of the first, the packed form, and the fatal paths.
#include <cstring>
#include <fstream>
#include <iterator>

#include "audio/sound_lists.h"
#include "base/key_state.h"
#include "compiler/alias_tables.h"
#include "compiler/compile_scopes.h"
#include "game/data_tables.h"
#include "game/key_maps.h"
#include "game/launch_options.h"
#include "game/object_defs.h"
#include "loading_fixture.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "render/font.h"
#include "script/global_contexts.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"
#include "world/sprite_sets.h"

namespace tolv::test {
namespace {

// Runs global function f at once.
void RunGlobal(uint16_t f) {
  current_context = &global_context;
  RunFunctionNow(f);
}

TEST_F(LoadingTest, DescriptorChecks) {
  EXPECT_EQ(OpenGame("full.gdf"), 1);
  EXPECT_EQ(game_display_name, "Full Fixture: every row of game.def and ");
  EXPECT_EQ(game_name, "../full");
  EXPECT_EQ(game_folder, Game().string());
  EXPECT_EQ(WorkingFolder(), base_folder);
  EXPECT_EQ(OpenGame("newer.gdf"), 0);
  EXPECT_TRUE(Logged("Game requires at least TOLV v 140617"));
  launcher_menu_id = 3;  // a launcher menu that only wants the folder
  EXPECT_EQ(OpenGame("newer.gdf"), 1);
  launcher_menu_id = 0;
  EXPECT_EQ(OpenGame("empty.gdf"), 0);
  EXPECT_TRUE(Logged("game.def and game.tvp not found in:"));
  EXPECT_EQ(OpenGame("nofolder.gdf"), 0);  // named, though it is not there
  EXPECT_EQ(game_folder, (root_ / "absent").string());
  EXPECT_TRUE(Logged("Game Folder not found:"));
  EXPECT_EQ(LastMessage(), game_folder);
  EXPECT_EQ(FatalMessage([] { LoadGame(); }), "Can't open game folder:\n" + game_folder);
  EXPECT_EQ(FatalMessage([] { OpenGame("absent.gdf"); }), "File \"absent.gdf\" not found");
  game_folder = (root_ / "gone").string();
  EXPECT_EQ(FatalMessage([] { LoadGame(); }), "Can't open game folder:\n" + game_folder);
}

TEST_F(LoadingTest, EveryRowOfGameDef) {
  Load("full.gdf");
  EXPECT_EQ(std::vector<uint8_t>(game_start, game_start + 4), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(register_count, 256u + 16u);
  ASSERT_EQ(string_slot_count, 3);
  EXPECT_EQ(game_string_count, 3);
  EXPECT_STREQ(StringSlotText(0), "Hello");
  EXPECT_STREQ(StringSlotText(1), "");
  EXPECT_STREQ(StringSlotText(2), "Two words");
  EXPECT_EQ(script_table_counts.game, 12);
  ASSERT_EQ(music_counts.total, 3);
  EXPECT_EQ(music[0].kind, 0);
  EXPECT_EQ(music[0].first.frame_count, 1102u);  // 8-bit mono at 22050 Hz
  EXPECT_EQ(music[0].first.rate, 22050u);
  ASSERT_TRUE(music[1].xm);
  EXPECT_EQ(music[1].xm->channels, 2u);
  ASSERT_TRUE(music[2].ogg[1]);
  EXPECT_EQ(music[2].ogg[1]->size, 4150u);
  EXPECT_EQ(sound_counts.game, 2);
  EXPECT_EQ(sounds[1].frame_count, 441u);
  EXPECT_EQ(character_register_count, 14u);
  EXPECT_EQ(player_register_count, 42u);
  EXPECT_EQ(character_count, 1);
  EXPECT_EQ(characters[0].label_base, 2);
  EXPECT_EQ(player_functions.total, 4);  // two from the script list, two from the character
  EXPECT_EQ(object_type_counts.game, 3);
  EXPECT_EQ(sprite_set_counts.game, 2);
  EXPECT_EQ(object_code_sets[kMovementCode].game, 2);
  EXPECT_EQ(object_code_sets[kAnimationCode].game, 1);
  EXPECT_EQ(object_def_paths[0], "objects/objects.def");
  EXPECT_EQ(font_counts.game, 1);
  EXPECT_EQ(stat_obj_def_counts.game, 1);
  EXPECT_EQ(key_map_count, 2);
  EXPECT_EQ(key_map_entry_count, 4);
  EXPECT_EQ(pad_stride, 12);
  EXPECT_EQ(key_maps[6], kUnboundKey);
  EXPECT_EQ(key_maps[7], 32);
  ASSERT_EQ(script_functions.game, 4);
  EXPECT_EQ(script_functions.total, 4);
  RunGlobal(0);
  RunGlobal(1);
  RunGlobal(2);
  EXPECT_EQ(User(0), 11);
  EXPECT_EQ(User(1), 12);  // through the alias file
  EXPECT_EQ(User(2), 22);  // through the include
  EXPECT_EQ(User(5), 5);   // the character's init label ran when player 0 took it
  EXPECT_EQ(player_records[0].character, 0);
  EXPECT_EQ(Reg(kRegZone), 1);
  EXPECT_EQ(Reg(kRegAct), 0);
  EXPECT_EQ(Reg(kRegLevelStarted), 0);
  EXPECT_EQ(WorkingFolder(), game_folder);
}

TEST_F(LoadingTest, FuncsDefNamesBecomeAliases) {
  Load("funcs.gdf");
  ASSERT_EQ(script_functions.game, 2);
  EXPECT_GE(FindName(global_aliases, "Helper"), 0);
  RunGlobal(0);
  EXPECT_EQ(User(1), 1);  // _Helper is function 1
  EXPECT_EQ(register_count, 260u);
  // funcs.def takes the place of game.def's rows 16 and 17: trailing rows are never read
  Write(Game("funcs") / "game.def", ":2\n:0\n:255\n:255\n:0\n:NONE\n:0\n:NONE\n:NONE\n:0\n:0\n:NONE\n:0\n:NONE\n:0\n:junk\n");
  Load("funcs.gdf");
  EXPECT_EQ(script_functions.game, 2);
  Write(Game("funcs") / "game" / "funcs.def", ":1\n:Start\n:game/none.def\n");
  EXPECT_EQ(FatalMessage([&] { Load("funcs.gdf"); }), "game/none.def not found");
}

TEST_F(LoadingTest, SecondGameLeavesNothingOfTheFirst) {
  Start("full.gdf");
  ASSERT_GT(zone_string_count, 0);
  Load("funcs.gdf");
  EXPECT_EQ(string_slot_count, 0);
  EXPECT_EQ(script_table_counts.total, 0);
  EXPECT_EQ(sound_counts.total, 0);
  EXPECT_EQ(music_counts.total, 0);
  EXPECT_EQ(character_count, 0);
  EXPECT_EQ(player_functions.total, 0);
  EXPECT_EQ(object_type_counts.total, 0);
  EXPECT_EQ(sprite_set_counts.total, 0);
  for (const CodeSet& set : object_code_sets) EXPECT_EQ(set.total, 0);
  EXPECT_EQ(object_def_paths[0], "");
  EXPECT_EQ(font_counts.total, 0);
  EXPECT_EQ(stat_obj_def_counts.total, 0);
  EXPECT_EQ(FindName(global_aliases, "Twelve"), -1);
  EXPECT_EQ(script_functions.total, 2);
  EXPECT_EQ(register_count, 260u);
  EXPECT_EQ(Reg(kRegLoadedZone), 255);  // the new game's first start loads its zone
  StartLevel();
  EXPECT_EQ(Reg(kRegLoadedZone), 2);
  EXPECT_EQ(User(0), 3);  // the act's start function, game function 1
}

TEST_F(LoadingTest, RegisterOptionsApplyToLooseGames) {
  register_assignments = {{0x80000000u | 10, 55}, {200, 7}, {0x80000000u | 99, 1}};
  Load("full.gdf");
  register_assignments.clear();
  EXPECT_EQ(User(10), 55);
  EXPECT_EQ(Reg(200), 7);
  EXPECT_TRUE(Logged("-regs names no register: ignored"));
}

TEST_F(LoadingTest, WarpServesTheFirstLoadOnly) {
  warp_request = {1, 2, 1, 0, 0, 2};
  Load("full.gdf");
  EXPECT_EQ(Reg(kRegZone), 2);
  EXPECT_EQ(Reg(kRegAct), 1);
  EXPECT_EQ(Reg(kRegScreenMode), 2);
  Load("full.gdf");
  EXPECT_EQ(Reg(kRegZone), 1);
}

TEST_F(LoadingTest, GameDefFatalErrors) {
  auto fails_with = [&](int row, const std::string& value) {
    Write(Game() / "game.def", FullGameDef(row, value));
    return FatalMessage([&] { Load("full.gdf"); });
  };
  EXPECT_EQ(fails_with(4, "-1"), "Invalid user register count -1\nCounts run from 0 to 16777216");
  EXPECT_EQ(fails_with(4, "$7FFFFFFF"), "Invalid user register count 2147483647\nCounts run from 0 to 16777216");
  EXPECT_EQ(fails_with(15, "256"), "Invalid character count 256\nCounts run from 0 to 255");
  EXPECT_EQ(fails_with(14, "scripts/none.def"), "File \"none.def\" not found");
  EXPECT_EQ(fails_with(5, "nofolder/fonts.def"), "File \"nofolder/fonts.def\" not found");
  EXPECT_EQ(fails_with(16, "chars/none.def"), "File \"chars/none.def\" not found");
  EXPECT_EQ(fails_with(10, "music/none.def"), "File \"none.def\" not found");
  EXPECT_EQ(fails_with(11, "sound/none.def"), "File \"none.def\" not found");
  EXPECT_EQ(fails_with(21, "funcs/none.def"), "funcs/none.def not found");
  EXPECT_EQ(fails_with(19, "5"), "5 Game Functions allocated by Game Def\nOnly 4 were defined and loaded");
  EXPECT_EQ(fails_with(19, "3"), "3 Game Functions allocated by Game Def\nCurrent file attempts to load a total of 4");
  EXPECT_EQ(fails_with(19, "65536"), "Invalid game function count 65536\nAt most 65535 may be loaded");
  EXPECT_EQ(fails_with(6, "-2"), "Invalid string count -2\nCounts run from 0 to 65535");
  Write(Game() / "music" / "music.def", ":1\n:7\n:theme.wav\n");
  EXPECT_EQ(fails_with(0, "1"), "Unknown music kind 7");
  Write(Game() / "music" / "music.def", ":1\n:0\n:theme.wav\n");
  Write(Game() / "sound" / "sounds.def", ":2\n:jump.wav\n:gone.wav\n");
  EXPECT_EQ(fails_with(0, "1"), "File \"gone.wav\" not found");
  std::filesystem::remove(Game() / "game.def");
  EXPECT_EQ(OpenGame("full.gdf"), 0);  // at start-up the host loads whatever OpenGame said
  EXPECT_EQ(FatalMessage([] { LoadGame(); }), "File \"game.def\" not found");
}

// Text files are read whole: a sparse 3 GB one is refused by name before
// it is read.
TEST_F(LoadingTest, TextFilesOverTheBoundAreRefusedByName) {
  for (const char* name : {"alias.def", "tables/text0.txt"}) {
    const fs::path file = Game() / name, kept = root_ / "kept";
    fs::copy_file(file, kept);
    fs::resize_file(file, 3'000'000'000);
    EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File \"" + std::string(name) + "\" is larger than 64 MiB");
    fs::rename(kept, file);
  }
  Load("full.gdf");
}

TEST_F(LoadingTest, KeyMapFile) {
  // Each count names the bound it breaks.
  const struct {
    const char* counts;
    const char* message;
  } bad[] = {
      {":3\n:86\n", "Key maps: 3 maps of 86 entries do not fit\nAt most 85 entries a map"},
      {":1\n:0\n", "Key maps: 1 maps of 0 entries do not fit\nAt least 1 entry a map"},
      {":0\n:4\n", "Key maps: 0 maps of 4 entries do not fit\nAt least 1 map"},
      {":15\n:85\n", "Key maps: 15 maps of 85 entries do not fit\nAt most 14 maps of 85 entries"},
      {":16843010\n:85\n", "Key maps: 16843010 maps of 85 entries do not fit\nAt most 14 maps of 85 entries"},
  };
  for (const auto& c : bad) {
    Write(Game() / "keymap.def", c.counts);
    EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), c.message);
  }
  std::string most = ":14\n:85\n";  // 512 + 3 x 85 x 14 bytes: the most that fit
  for (int i = 0; i < 14 * 85; i++) most += ":NONE\n";
  Write(Game() / "keymap.def", most);
  Load("full.gdf");
  EXPECT_EQ(key_map_count, 14);
  Write(Game() / "keymap.def", ":1\n:2\n:5\n:128\n");
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "Key maps: entry 1 names scan code 128\nCodes run from 0 to 127");
  std::filesystem::remove(Game() / "keymap.def");
  Load("full.gdf");
  EXPECT_EQ(key_map_entry_count, 16);
  EXPECT_EQ(key_map_count, 2);
}

}  // namespace
}  // namespace tolv::test
