// The sample game through the headless driver with the real loader: two
// runs from the same seeds end in the same world, and the flags lead from
// act to act.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>

#include "audio/mixer.h"
#include "audio/music_player.h"
#include "objects/players.h"
#include "script/commands.h"
#include "script/handles.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/level.h"
#include "world/tile_plane.h"
#include "../render/frame_check.h"
#include "sample_game_fixture.h"

namespace tolv::test {
namespace {

// 1,500 frames: the yard, its flag and most of the night yard.
TEST_F(SampleGameTest, TwoRunsFromOneSeedAgree) {
  const WorldCapture first = Run(1500, 12345);
  const WorldCapture second = Run(1500, 12345);
  EXPECT_EQ(first.frame, 1500u);
  EXPECT_EQ(first.registers[256], 1500);  // the walker's frame counter: the player step ran every frame
  EXPECT_EQ(first.registers[256 + 5], 1500);  // the sky's plane function, once a frame in one view
  EXPECT_GE(first.registers[256 + 6], 1);     // the camera panned into the middle of the yard
  EXPECT_EQ(first.registers[kRegLoadedAct], 1);  // the flag led on to act 2, the night yard
  ASSERT_EQ(first.planes.size(), 2u);
  const int32_t camera_x = first.registers[kRegViewX], camera_y = first.registers[kRegViewY];  // player 1's view
  EXPECT_NE(camera_x, 0);  // the camera followed the walker
  EXPECT_EQ(first.planes[0], (std::vector<int32_t>{camera_x >> 1, (camera_y >> 1) + 3}));  // the sky at half speed
  EXPECT_EQ(first.registers, second.registers);
  EXPECT_EQ(first.objects, second.objects);
  EXPECT_EQ(first.players, second.players);  // the walker ran and jumped the same way
  EXPECT_EQ(first.planes, second.planes);
  EXPECT_EQ(first.frame_hash, second.frame_hash);
  EXPECT_NE(Run(1500, 54321).objects, first.objects);  // the balls spin at random
}

// Every act the sample declares plays, as `-warp 1 ACT 0 0 0` starts it:
// its start function loads a level, shows its sky and ground, places the
// walker, which lands and runs the yard, and starts the yard tune; two
// runs from one seed end in the same world. A run ends with the act's last
// frame, when its flag has asked for the other act.
TEST_F(SampleGameTest, EveryActPlaysTheSameFromOneSeed) {
  struct Play {
    WorldCapture world;
    int32_t left = INT32_MAX, right = INT32_MIN, grounded = 0, frames = 0;
  };
  auto play = [](int act) {  // a 60th of a second of sound mixed after each frame
    static int16_t sound[2 * 735];
    Play p;
    Start(12345, act);
    while (Reg(kRegLevelStarted) && p.frames++ < 1000) {
      RunHeadlessFrames(1);
      MixAudio(sound, 735);
      const int32_t x = PVar(&player_records[0], kPvX);
      p.left = std::min(p.left, x), p.right = std::max(p.right, x);
      p.grounded += PVar(&player_records[0], kPvOnGround) == 1;
    }
    p.world = CaptureWorld();
    return p;
  };
  for (int act : {0, 1}) {
    SCOPED_TRACE("act " + std::to_string(act));
    const Play first = play(act);
    ASSERT_EQ(Reg(kRegLoadedAct), act);
    EXPECT_EQ(Reg(kRegAct), 1 - act);  // asked for by the flag
    EXPECT_FALSE(level_file_path.empty());
    EXPECT_EQ(music_voice.id, 0);  // the yard tune
    EXPECT_GT(first.frames, 300);
    EXPECT_GT(first.right - first.left, 400);
    EXPECT_GT(first.grounded, first.frames / 2);
    std::set<uint8_t> colours(FrameStart(), FrameStart() + AreaBytes());
    EXPECT_GE(colours.size(), 6u) << "picture in "
                                  << WriteAreaPicture((saved_cwd_ / ("sample_act" + std::to_string(act))).string());
    EXPECT_TRUE(play(act).world == first.world);
  }
}

// Played through as the game runs, without a warp: the walker reaches
// act 1's flag, the fanfare plays over the tune, and once it has ended
// the night yard loads; its flag leads back to the first yard, with the
// walker at its start.
TEST_F(SampleGameTest, FlagsLeadFromActToAct) {
  static int16_t sound[2 * 735];
  Run(0, 12345);
  for (const auto& [act, next, level, flag_x] :
       {std::tuple{0, 1, "zone01/night.lev", 1432}, std::tuple{1, 0, "zone01/yard.lev", 608}}) {
    SCOPED_TRACE("act " + std::to_string(act));
    int fanfare = 0;
    bool fanfare_over = false;  // on the act's last frame
    for (int f = 0; f < 2000; f++) {
      const int32_t x = PVar(&player_records[0], kPvX);
      RunHeadlessFrames(1);
      if (Reg(kRegLoadedAct) != act) break;
      MixAudio(sound, 735);
      if (music_voice.id == 1) {
        if (!fanfare) {
          EXPECT_GE(x, flag_x - 2);  // started by the flag's event
        }
        fanfare++;
      }
      fanfare_over = fanfare && music_voice.id == 0;  // back to the tune
    }
    ASSERT_EQ(Reg(kRegLoadedAct), next);
    EXPECT_GT(fanfare, 50);  // 1.04 seconds
    EXPECT_TRUE(fanfare_over);
    EXPECT_EQ(level_file_path, level);
    EXPECT_LT(std::abs(PVar(&player_records[0], kPvX) - 152), 4);
  }
}

// The sky, the ground, the walker and the score panel's text.
TEST_F(SampleGameTest, HeadlessRunDrawsTheYard) {
  Run(120, 1);
  std::set<uint8_t> colours(FrameStart(), FrameStart() + AreaBytes());
  EXPECT_GE(colours.size(), 4u) << "picture in " << WriteAreaPicture((saved_cwd_ / "sample_frame").string());
}

// The walker meets the objects near it after each step of its movement:
// the bug guarding the yard's far end stings it on the way to the flag,
// and every coin it runs or jumps through is picked up and gone. Counted
// up to the act's last frame, when the flag has asked for act 2.
TEST_F(SampleGameTest, BugsStingAndCoinsAreCollected) {
  auto coins_left = [] {
    int n = 0;
    for (int32_t i = 0; i < registers[kRegActiveObjects]; i++) n += object_slots[i]->vars[0] == 4;  // type g4
    return n;
  };
  Run(0, 1);
  const int placed = coins_left();
  for (int f = 0; f < 1200 && Reg(kRegLevelStarted); f++) RunHeadlessFrames(1);
  ASSERT_EQ(Reg(kRegLoadedAct), 0);
  EXPECT_GE(registers[256 + 7], 1);  // U_Stings
  const int32_t coins = PlayerCharVar(&player_records[0], 9);
  EXPECT_GE(coins, 5);  // the row on the ground at the start at least
  EXPECT_EQ(coins, placed - coins_left());
  EXPECT_EQ(registers[256 + 8], coins);  // U_Coins, shown on the panel
}

TEST_F(SampleGameTest, LevelChangeIsServedBeforeTheNextFrame) {
  Run(10, 1);
  const uint32_t go_to_level[] = {42, 1, 1};  // zone 1, act 1 (its start function sets U_Night)
  current_instruction = go_to_level;
  script_commands[42]();
  ASSERT_EQ(Reg(kRegLevelStarted), 0);
  RunHeadlessFrames(1);
  EXPECT_EQ(Reg(kRegLevelStarted), 1);
  EXPECT_EQ(Reg(kRegLoadedAct), 1);
  EXPECT_EQ(Reg(256 + 2), 1);
}

// The walker runs the yard from end to end over its hills, pits and
// steps, jumps every two seconds, lands on the terrain (or a ledge) each
// time, and turns at the level's right side.
TEST_F(SampleGameTest, PlayerRunsAndJumps) {
  Run(0, 1);
  PlayerRecord* p = &player_records[0];
  int32_t left = INT32_MAX, right = INT32_MIN, takeoff = 0, highest = 0, landings = 0, was_on_ground = 0;
  bool turned = false;
  for (int f = 0; f < 1000; f++) {
    RunHeadlessFrames(1);
    const int32_t x = PVar(p, kPvX), y = PVar(p, kPvY), on_ground = PVar(p, kPvOnGround);
    left = std::min(left, x), right = std::max(right, x);
    if (!on_ground && was_on_ground) takeoff = y;
    if (!on_ground) highest = std::max(highest, takeoff - y);
    if (on_ground == 1 && !was_on_ground) {  // on plane 1's tiles: its feet on a floor pixel, the body free
      landings++;
      tile_probe_plane = 1;
      bool floor = false;
      for (int32_t dx = -8; dx <= 8; dx++) floor |= ProbeCollision(x + dx, y) != 0;  // a slope's edge may hold it
      EXPECT_TRUE(floor && ProbeCollision(x, y - 12) == 0) << "frame " << f << " at " << x << ", " << y;
    }
    was_on_ground = on_ground;
    turned |= PVar(p, kPvGroundSpeed) < 0;
  }
  EXPECT_GT(right - left, 1300);  // most of the 1536 pixels
  EXPECT_GT(highest, 32);
  EXPECT_GE(landings, 5);
  EXPECT_TRUE(turned);
}

// The platform gliding above the yard carries the walker: it starts in the
// air above it, lands on the planks of the platform's own tile map, stands
// on them with the platform's handle as its ground, and goes along as the
// platform glides.
TEST_F(SampleGameTest, WalkerRidesTheGlidingPlatform) {
  Run(0, 1);
  int rides = 0;
  for (int f = 0; f < 1000 && Reg(kRegLevelStarted); f++) {  // until the flag asks for act 2
    const ObjectSlot* platform = nullptr;  // the one with an 8-tile map from its variable 1
    for (int32_t i = 0; i < registers[kRegActiveObjects]; i++) {
      const ObjectSlot* o = object_slots[i];
      if (o->var_count > 15 && o->vars[7] == 1 && o->vars[8] == 8) platform = o;
    }
    ASSERT_NE(platform, nullptr);
    const int32_t x = PVar(&player_records[0], kPvX), px = platform->vars[1];
    RunHeadlessFrames(1);
    if (PVar(&player_records[0], kPvOnGround) != EncodeObjectHandle(platform)) continue;
    rides++;
    EXPECT_EQ(PVar(&player_records[0], kPvY), platform->vars[2] - 4) << "frame " << f;  // on the planks
    // Its own walk of one or two pixels, and the platform's pixel.
    const int32_t carried = PVar(&player_records[0], kPvX) - x - (platform->vars[1] - px);
    EXPECT_TRUE(carried != 0 && carried >= -2 && carried <= 2) << "frame " << f;
  }
  EXPECT_GE(rides, 10);
}

}  // namespace
}  // namespace tolv::test
