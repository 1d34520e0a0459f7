// The sample game in a base folder of its own (the engine folder, the
// sample and its descriptor copied from games/, whatever else a user keeps
// there left out; scripts and saves may write files of their game), run
// through the headless driver with the real loader.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/archive_reader.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/launch_options.h"
#include "game/level_loading.h"
#include "../files/game_test_util.h"

namespace tolv::test {

// What the sample needs of a games folder, copied into an empty base
// folder: default/, sample/ (without a game.tvp) and gdf/default.gdf.
inline void CopySampleBase(const std::filesystem::path& games, const std::filesystem::path& base) {
  namespace fs = std::filesystem;
  fs::create_directories(base / "gdf");
  fs::copy(games / "default", base / "default", fs::copy_options::recursive);
  fs::copy(games / "sample", base / "sample", fs::copy_options::recursive);
  fs::remove(base / "sample" / "game.tvp");
  fs::copy_file(games / "gdf" / "default.gdf", base / "gdf" / "default.gdf");
}

class SampleGameTest : public TempBaseTest {
 protected:
  void SetUp() override {
    TempBaseTest::SetUp();
    CopySampleBase(TOLV_GAMES, root_);
    ASSERT_EQ(ChangeWorkingFolder(base_folder.c_str()), 1);
    StartHeadlessEngine();
  }
  void TearDown() override {
    UnloadGame();
    TempBaseTest::TearDown();
  }
  // Opens, loads and starts the sample game from fixed seeds, in zone 1
  // act `act` (as -warp 1 act 0 0 0 does) when one is given.
  static void Start(uint32_t seed, int act = -1) {
    ChangeWorkingFolder(base_folder.c_str());
    if (act >= 0) warp_request = WarpRequest{1, 1, act, 0, 0, 0};
    EXPECT_EQ(OpenGame("default.gdf"), 1);
    std::srand(7);  // OpenGame seeds it from the clock
    StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, seed);
  }
  static WorldCapture Run(uint32_t frames, uint32_t seed, int act = -1) {
    Start(seed, act);
    RunHeadlessFrames(frames);
    return CaptureWorld();
  }
  std::filesystem::path Game() const { return root_ / "sample"; }
};

}  // namespace tolv::test
