#include "host/command_line.h"
#include "../game/pack_test_util.h"
#include "game/launch_options.h"

namespace tolv::test {
namespace {

class CommandLineTest : public PackTest {
 protected:
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), "tolv");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    testing::internal::CaptureStderr();
    int status = RunCommandLineTools(static_cast<int>(argv.size()), argv.data());
    err = testing::internal::GetCapturedStderr();
    return status;
  }
  std::string err;
};

TEST_F(CommandLineTest, PackOption) {
  CopyFixture("beta");
  fs::rename(Game("beta"), Game("demo"));
  EXPECT_EQ(Run({"-pack", "demo"}), 0);
  EXPECT_TRUE(fs::exists(Archive("demo")));
  EXPECT_EQ(WorkingFolder(), root_.string());

  EXPECT_EQ(Run({"-pack", "nothere"}), 1);
  EXPECT_EQ(err, "Packing failed: Game folder not found: nothere\n");
  EXPECT_FALSE(fs::exists(Game("nothere")));
  const std::string x50(50, 'x');
  const std::pair<std::vector<std::string>, std::string> bad[] = {
      {{"-pack"}, "nothing"}, {{"-pack", "-game"}, "\"-game\""}, {{"-pack", x50}, "\"" + x50 + "\""}};
  for (const auto& [args, got] : bad) {
    EXPECT_EQ(Run(args), 1);
    EXPECT_EQ(err, "Command-line has uninterpretable errors\n"
                   "tolv: -pack: expected a game folder name of at most 49 characters, got " + got + "\n");
  }
  EXPECT_EQ(Run({}), -1);  // nothing for the tools: the engine starts
  EXPECT_EQ(Run({"-game", "x.gdf"}), -1);
}

TEST(LaunchOptions, LevelFileTakesItsPath) {
  char tolv[] = "tolv", option[] = "-levelfile", path[] = "zone01/a.lev";
  char* with[] = {tolv, option, path};
  EXPECT_TRUE(ReadLaunchOptions(3, with));
  EXPECT_EQ(level_file_option, "zone01/a.lev");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ReadLaunchOptions(2, with));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Command-line has uninterpretable errors\ntolv: -levelfile: expected a path from the game root, got nothing\n");
  level_file_option.clear();
}

}  // namespace
}  // namespace tolv::test
