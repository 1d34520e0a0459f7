// Every fixture game and the sample game load the same from game.tvp alone
// as from their loose files: each zone and act of each is loaded both ways
// and the two listings of the loaded state, and of the world 100 frames
// on, compared.
#include <algorithm>

#include "files/archive_reader.h"
#include "game/act_records.h"
#include "game/game_packer.h"
#include "game/headless.h"
#include "game/object_defs.h"
#include "game_snapshot.h"
#include "loading_fixture.h"
#include "pack_test_util.h"
#include "script/random.h"
#include "world/level.h"

namespace tolv::test {
namespace {

class PackedLoadTest : public LoadingTest {
 protected:
  void SetUp() override {
    LoadingTest::SetUp();
    saved_clock_ = wall_clock;
    wall_clock = FixedClock;
    fs::copy(fs::path(TOLV_GAMES) / "sample", root_ / "sample", fs::copy_options::recursive);
    fs::copy_file(fs::path(TOLV_GAMES) / "gdf" / "default.gdf", root_ / "gdf" / "default.gdf");
  }
  void TearDown() override {
    wall_clock = saved_clock_;
    LoadingTest::TearDown();
  }

  // The zones of a loose game folder, by their "zone%02d" folders.
  std::vector<int32_t> Zones(const std::string& name) const {
    std::vector<int32_t> zones;
    for (const auto& e : fs::directory_iterator(Game(name.c_str()))) {
      const std::string n = e.path().filename().string();
      if (e.is_directory() && n.size() == 6 && n.compare(0, 4, "zone") == 0) zones.push_back(std::stoi(n.substr(4)));
    }
    std::sort(zones.begin(), zones.end());
    return zones;
  }
  // Loads the game, then starts every act of every zone in turn, listing
  // the state after each step.
  Snapshot LoadEveryLevel(const char* descriptor, const std::vector<int32_t>& zones) {
    Snapshot all;
    auto add = [&all](const Snapshot& s) { all.insert(all.end(), s.begin(), s.end()); };
    ResetRegisters();  // reserved registers (the eased camera limits among them) outlive a game load
    Load(descriptor);
    loaded_from_archive_ = !game_unpacked;
    if (loaded_from_archive_) {
      EXPECT_EQ(object_def_paths[0], "");  // the sprite editor saves loose games only
    }
    add(GameSnapshot());
    for (int32_t z : zones) {
      for (int32_t a = 0;; a++) {
        Reg(kRegZone) = z;
        Reg(kRegAct) = a;
        random_seed = 99;  // the archive reader draws from the same generator
        StartLevel();
        all.push_back("level " + std::to_string(z) + " " + std::to_string(a));
        add(GameSnapshot());
        if (z == zones[0] && a == 0) first_level_ = GameSnapshot();
        add(WorldSnapshot());
        RunHeadlessFrames(100);
        add(WorldSnapshot());
        if (size_t(a + 1) >= act_table.size()) break;
      }
    }
    if (!zones.empty()) {  // back to the first level: the scopes dropped and loaded again as they were
      Reg(kRegZone) = zones[0];
      Reg(kRegAct) = 0;
      StartLevel();
      EXPECT_EQ(FirstDifference(first_level_, GameSnapshot()), "");
    }
    UnloadGame();
    CloseArchive();
    ResetDefaultPlanes();  // as entering the launcher does
    return all;
  }
  // Packs the game in place and leaves game.tvp alone in its folder, with
  // the key maps that the packer leaves beside it (their entry count codes
  // the characters' pad keys).
  void PackAndHideLooseFiles(const std::string& name) {
    ChangeWorkingFolder(base_folder.c_str());
    pack_folder_name = name;
    ASSERT_TRUE(PackGame()) << pack_error;
    for (const auto& e : fs::directory_iterator(Game(name.c_str())))
      if (e.path().filename() != "game.tvp" && e.path().filename() != "keymap.def") fs::remove_all(e.path());
  }
  void ExpectPackedLoadsTheSame(const std::string& name, const char* descriptor) {
    SCOPED_TRACE(name);
    const std::vector<int32_t> zones = Zones(name);
    const Snapshot loose = LoadEveryLevel(descriptor, zones);
    EXPECT_EQ(FirstDifference(loose, LoadEveryLevel(descriptor, zones)), "");  // nothing left of the first load
    PackAndHideLooseFiles(name);
    const Snapshot packed = LoadEveryLevel(descriptor, zones);
    EXPECT_TRUE(loaded_from_archive_);
    EXPECT_EQ(FirstDifference(loose, packed), "");
    EXPECT_GT(loose.size(), 20u);
  }

  WallClock saved_clock_ = nullptr;
  bool loaded_from_archive_ = false;
  Snapshot first_level_;
};

TEST_F(PackedLoadTest, FullFixture) { ExpectPackedLoadsTheSame("full", "full.gdf"); }
TEST_F(PackedLoadTest, FixtureWithFuncsDef) { ExpectPackedLoadsTheSame("funcs", "funcs.gdf"); }
TEST_F(PackedLoadTest, SampleGame) { ExpectPackedLoadsTheSame("sample", "default.gdf"); }

}  // namespace
}  // namespace tolv::test
