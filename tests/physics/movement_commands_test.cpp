// Free movement and the player movement commands: whole pixels of the
// pending movement, the operand places of the move commands, a move into a
// wall, ground kept, selection, and what the commands refuse.
#include <gtest/gtest.h>

#include "objects/collision_passes.h"
#include "objects/player_select.h"
#include "physics/command_lists.h"
#include "script/commands.h"
#include "script/handles.h"
#include "script/operands.h"
#include "script/registers.h"
#include "terrain_art.h"
#include "terrain_kit.h"

namespace tolv::test {
namespace {

class MovementCommands : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartPhysics();
    RegisterPhysicsCommands();
  }
  void SetUp() override {
    kit.AddTiles(kTileArt);
    kit.SetLevel(R"(
........
........
........
........
.......#
########
)");
    player_count = 2;
    player_operand_d = player_operand_a = &player_records[0];
    object_.vars = object_vars_;
    object_.var_count = 10;
    object_operand_a = &object_;
  }
  void TearDown() override {
    collide_player_with_objects = [] {};
    player_operand_a = player_operand_d = &void_player;
    object_operand_a = &void_slot;
  }
  TerrainKit kit;
  ObjectSlot object_;  // the OA object
  int32_t object_vars_[10] = {};
};

TEST_F(MovementCommands, FreeMovementMovesByWholePixels) {
  const int32_t cases[][3] = {{-300, -1, -44}, {-512, -2, 0}, {511, 1, 255}, {200, 0, 200}};
  for (auto& c : cases) {
    PlacePlayer({.x = 20, .y = 20, .mode = 5, .on_ground = 1});
    Word(kPvSpeedX) = Word(kPvSpeedY) = c[0];
    Word(kPvHitLeft) = 3;
    player_records[0].motion[kBoxTopIn] = 77;
    movement_routines[5](0);
    EXPECT_EQ(Word(kPvX), 20 + c[1]) << c[0];
    EXPECT_EQ(Word(kPvPendingX), c[2]) << c[0];
    EXPECT_EQ(Word(kPvY), 20 + c[1]) << c[0];
    EXPECT_EQ(Word(kPvPendingY), c[2]) << c[0];
    EXPECT_EQ(Word(kPvOnGround), 0);
    EXPECT_EQ(Word(kPvHitLeft), 0);
    EXPECT_EQ(player_records[0].motion[kBoxTopIn], 77);  // the free routine leaves the inner top
  }
}

// Every operand place of the move commands on a free player, which adds
// its speeds to the operand.
TEST_F(MovementCommands, MoveCommandsReadEveryOperandPlace) {
  struct Case {
    std::vector<uint32_t> words;
    int32_t dx, dy;
  } cases[] = {
      {{1124, kRegisterBit | 200}, 3, 0},  {{1125, 9 + kPvFlipX}, 1, 0}, {{1126, 4}, -1, 0}, {{1127, 1280}, 5, 0},
      {{1128, kRegisterBit | 200}, 0, 3},  {{1129, 9 + kPvFlipX}, 0, 1}, {{1130, 4}, 0, -2}, {{1131, 1280}, 0, 5},
      {{1195, 200, 201}, 3, -1},           {{1196, 9 + kPvFlipX, 9 + kPvFlipX}, 1, 1},
      {{1197, 4, 5}, -1, 7},               {{1198, 256, 512}, 1, 2},
  };
  for (const Case& c : cases) {
    PlacePlayer({.x = 20, .y = 20, .mode = 5, .on_ground = 0});
    registers[200] = 768;
    registers[201] = -256;
    Word(kPvFlipX) = 300;  // a PA variable: the player's own word
    object_vars_[4] = -512;
    object_vars_[5] = 1792;
    Word(kPvSpeedX) = 64;  // a free-mode move adds the speeds
    RunCommand({c.words[0], c.words[1], c.words.size() > 2 ? c.words[2] : 0});
    EXPECT_EQ(Word(kPvX), 20 + c.dx) << c.words[0];
    EXPECT_EQ(Word(kPvY), 20 + c.dy) << c.words[0];
  }
}

// Into a wall (stopped at its column, the plane in the hit word), up off
// the ground (kept) and down onto it (gained); a walk along the surface of
// an airborne wall player goes along y only, of a free player nowhere. The
// pending words come back as they were.
TEST_F(MovementCommands, MovesThroughTheTerrain) {
  struct Case {
    PlayerSetup at;
    uint32_t id;
    int32_t operand, x, y, ground, hit_right;
  } cases[] = {
      {{.x = 47, .y = 40, .on_ground = 0}, 1127, 1280, 50, 40, 1, 1},  // the wall's column is 56
      {{.x = 20, .y = 40, .on_ground = 1}, 1131, -2560, 20, 30, 1, 0},
      {{.x = 20, .y = 34, .on_ground = 0}, 1131, 2560, 20, 40, 1, 0},
      {{.x = 20, .y = 20, .mode = 1, .on_ground = 0}, 1123, 512, 20, 22, 0, 0},
      {{.x = 20, .y = 20, .mode = 5, .on_ground = 0}, 1123, 512, 20, 20, 0, 0},
  };
  for (const Case& c : cases) {
    PlacePlayer(c.at);
    Word(kPvPendingX) = Word(kPvPendingY) = 100;
    RunCommand({c.id, static_cast<uint32_t>(c.operand)});
    EXPECT_EQ(Word(kPvX), c.x) << c.id;
    EXPECT_EQ(Word(kPvY), c.y) << c.id;
    EXPECT_EQ(Word(kPvOnGround), c.ground) << c.id;
    EXPECT_EQ(Word(kPvHitRight), c.hit_right) << c.id;
    EXPECT_EQ(Word(kPvPendingX), 100) << c.id;
    EXPECT_EQ(Word(kPvPendingY), 100) << c.id;
  }
}

TEST_F(MovementCommands, SelectionByIndexAndHandle) {
  PlacePlayer({});
  object_vars_[3] = EncodePlayerHandle(&player_records[1]);
  Word(kPvFlipX) = EncodePlayerHandle(&player_records[1]);
  registers[200] = 1;
  registers[201] = EncodePlayerHandle(&player_records[1]);
  registers[202] = EncodeObjectHandle(&object_pool[1]);  // not a player
  const struct {
    uint32_t id, operand;
    int32_t player;
  } cases[] = {{1428, kRegisterBit | 200, 1}, {1429, 201, 1}, {1430, 9 + kPvFlipX, 1}, {1431, 3, 1},
               {1428, 2, 0},  {1428, 0xFFFF, 0}, {1429, 202, 0}, {1429, 200, 0}};  // no player, no handle
  for (const auto& c : cases) {
    SelectPlayer(0);
    RunCommand({c.id, c.operand});
    EXPECT_EQ(registers[kRegPlayer], c.player) << c.id << " " << c.operand;
    EXPECT_EQ(current_player, &player_records[c.player]) << c.id;
  }
  player_count = 1;
  RunCommand({1428, 1});
  EXPECT_EQ(registers[kRegPlayer], 0);
}

TEST_F(MovementCommands, BadPlayersAndModesMoveNothing) {
  PlacePlayer({.x = 20, .y = 10, .mode = 9, .on_ground = 0});
  RunCommand({1127, 1280});
  RunCommand({1123, 1280});
  EXPECT_EQ(Word(kPvX), 20);
  Word(kPvMovementMode) = 5;
  player_operand_d = &void_player;
  RunCommand({1127, 1280});
  player_operand_d = &player_records[1];
  player_count = 1;
  RunCommand({1127, 1280});
  EXPECT_EQ(Word(kPvX), 20);
  EXPECT_EQ(PVar(&player_records[1], kPvX), 0);
}

// The passes inside a move run other scripts; the lane that moved finds
// the machine and the selected player as it left them.
TEST_F(MovementCommands, MachineStateSurvivesTheMovesPasses) {
  PlacePlayer({.x = 20, .y = 24, .on_ground = 0});
  static ScriptContext mine, other;
  static const uint32_t other_instruction[2] = {79, 0};
  collide_player_with_objects = [] {
    current_context = running_context = &other;
    current_lane = 5;
    yield_flag = 1;
    current_instruction = other_instruction;
    SelectPlayer(1);
  };
  current_context = running_context = &mine;
  current_lane = 2;
  yield_flag = 0;
  registers[kRegPlayer] = 0;
  static uint32_t words[2] = {1127, 512};
  current_instruction = words;
  script_commands[1127]();
  EXPECT_EQ(current_context, &mine);
  EXPECT_EQ(running_context, &mine);
  EXPECT_EQ(current_lane, 2);
  EXPECT_EQ(yield_flag, 0);
  EXPECT_EQ(current_instruction, words);
  EXPECT_EQ(current_player, &player_records[0]);
  EXPECT_EQ(Word(kPvX), 22);
}

}  // namespace
}  // namespace tolv::test
