// What the engine does with the tile set: reset at start, animation in the
// game frame, and the "-tilefile" option.
#include "../world/stil_bytes.h"
#include "game/engine_init.h"
#include "game/game_frame.h"
#include "game/launch_options.h"

namespace tolv::test {
namespace {

TEST_F(TileFileTest, GameFrameAnimatesUnlessFrozenAndTheCommandLineLoads) {
  InitEngine();
  EXPECT_EQ(tile_count, 2000);
  Put("a.til", Stil(4));
  char* argv[] = {const_cast<char*>("tolv"), const_cast<char*>("-tilefile"), const_cast<char*>("a.til")};
  ASSERT_TRUE(ReadLaunchOptions(3, argv));
  ChangeWorkingFolder(root_.c_str());  // taken from the game root all the same
  LoadCommandLineFiles();
  tile_file_option.clear();
  ASSERT_EQ(tile_count, 3);
  registers[kRegFreeze] = 2;
  RunGameFrame();
  RunGameFrame();
  EXPECT_EQ(tiles[0].frame_index, 0);
  registers[kRegFreeze] = 0;
  RunGameFrame();
  RunGameFrame();
  EXPECT_EQ(tiles[0].frame_index, 1);
}

}  // namespace
}  // namespace tolv::test
