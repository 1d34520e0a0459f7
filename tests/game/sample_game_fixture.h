// The sample game in a temporary copy of the games folder (scripts and
// saves may write files of their game), run through the headless driver
// with the real loader.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/archive_reader.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/level_loading.h"
#include "../files/game_test_util.h"

namespace tolv::test {

class SampleGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_cwd_ = std::filesystem::current_path();
    char tmpl[] = "/tmp/tolv_sample_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
    std::filesystem::copy(TOLV_GAMES, root_, std::filesystem::copy_options::recursive);
    std::filesystem::remove(root_ / "sample" / "game.tvp");
    base_folder = root_.string();
    ASSERT_EQ(ChangeWorkingFolder(base_folder.c_str()), 1);
    script_error_hook = ThrowScriptError;
    StartHeadlessEngine();
  }
  void TearDown() override {
    UnloadGame();
    CloseArchive();
    script_error_hook = nullptr;
    ChangeWorkingFolder(saved_cwd_.c_str());
    std::filesystem::remove_all(root_);
  }
  // Opens, loads and starts the sample game from fixed seeds.
  static void Start(uint32_t seed) {
    ChangeWorkingFolder(base_folder.c_str());
    EXPECT_EQ(OpenGame("default.gdf"), 1);
    std::srand(7);  // OpenGame seeds it from the clock
    StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, seed);
  }
  static WorldCapture Run(uint32_t frames, uint32_t seed) {
    Start(seed);
    RunHeadlessFrames(frames);
    return CaptureWorld();
  }
  std::filesystem::path Game() const { return root_ / "sample"; }

  std::filesystem::path saved_cwd_, root_;
};

}  // namespace tolv::test
