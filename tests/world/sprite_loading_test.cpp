// Sprite files through the game file layer: scope loads with their
// placement and blank fallbacks, characters, and the checked writer.
#include "sprite_test_util.h"
#include "world/sprite_file.h"
#include "world/sprite_sets.h"

namespace tolv::test {
namespace {

// A file of `sets` sets; set s holds s + 1 frames of 2x1 pixels {s + 1, 0}.
std::vector<uint8_t> HandBuiltFile(int sets) {
  ByteWriter b;
  b.U16(uint32_t(sets));
  for (int s = 0; s < sets; s++) {
    b.U16(uint32_t(s + 1));
    b.U8(2);
    b.U8(0);
    b.U8(uint32_t(s + 1));
    for (int f = 0; f <= s; f++) {
      b.U16(2);
      b.U16(1);
      b.U8(0x01);  // codes 1, 0
      FileFrameTail tail;
      tail.offsets[0] = int16_t(-f);
      tail.box[0] = -3;
      tail.box[1] = 3;
      tail.Put(b);
    }
  }
  return b.bytes;
}

class SpriteLoading : public SpriteTest {
 protected:
  void TearDown() override {
    FreeSpriteSets(0);
    SpriteTest::TearDown();
  }
  static bool IsBlank(const SpriteSet* s) {
    return s->frame_count == 1 && s->frames[0].width == 1 && s->frames[0].height == 1 && s->frames[0].pixels[0] == 1;
  }
};

TEST_F(SpriteLoading, ScopesFollowTheOuterScopesAndMissingFilesGiveABlankSet) {
  Write("game.spr", HandBuiltFile(2));
  Write("act.spr", HandBuiltFile(3));
  LoadSpriteSets("game.spr", 0);
  ASSERT_EQ(sprite_set_counts.total, 2);
  const SpriteSet* game_set = sprite_sets[1];
  EXPECT_EQ(game_set->frame_count, 2);
  EXPECT_EQ(game_set->frames[1].pixels[0], 2);
  EXPECT_EQ(game_set->frames[1].draw_x, -1);
  EXPECT_EQ(game_set->frames[1].mirrored_box.left, 2 - 1 - 1 - 3);

  LoadSpriteSets("zone.spr", 1);
  EXPECT_TRUE(Logged("Can't open sprite file for read:"));
  EXPECT_TRUE(Logged("zone.spr"));
  EXPECT_TRUE(Logged("Creating one Zone set with a blank frame"));
  EXPECT_FALSE(Logged("Damaged sprite file:"));
  ASSERT_EQ(sprite_set_counts.total, 3);
  EXPECT_EQ(sprite_set_counts.zone, 1);
  EXPECT_TRUE(IsBlank(sprite_sets[2]));

  LoadSpriteSets("act.spr", 2);
  EXPECT_EQ(sprite_set_counts.act, 3);
  EXPECT_EQ(sprite_set_counts.total, 6);
  EXPECT_EQ(sprite_sets[5]->frame_count, 3);
  LoadSpriteSets("act.spr", 3);  // no such scope: nothing changes
  EXPECT_TRUE(Logged("Sprite file for no known scope:"));
  EXPECT_EQ(sprite_set_counts.total, 6);

  Write("zone.spr", HandBuiltFile(1));
  LoadSpriteSets("zone.spr", 1);  // a new zone drops the act's sets
  EXPECT_EQ(sprite_set_counts.total, 3);
  EXPECT_EQ(sprite_set_counts.act, 0);
  EXPECT_FALSE(IsBlank(sprite_sets[2]));
  EXPECT_EQ(sprite_sets[1], game_set);  // outer sets never move
}

TEST_F(SpriteLoading, EveryTruncationEndsInTheBlankSet) {
  const std::vector<uint8_t> whole = HandBuiltFile(3);
  for (size_t n = 0; n < whole.size(); n++) {
    Write("cut.spr", std::vector<uint8_t>(whole.begin(), whole.begin() + long(n)));
    ClearMessages();
    LoadSpriteSets("cut.spr", 0);
    ASSERT_EQ(sprite_set_counts.total, 1) << n << " bytes";
    EXPECT_TRUE(IsBlank(sprite_sets[0])) << n << " bytes";
    EXPECT_TRUE(Logged("Damaged sprite file:")) << n << " bytes";
    EXPECT_TRUE(Logged("Creating one Game set with a blank frame"));
  }
  Write("cut.spr", whole);
  LoadSpriteSets("cut.spr", 0);
  EXPECT_EQ(sprite_set_counts.total, 3);
}

TEST_F(SpriteLoading, CharactersReadTheirOneSetOrGetABlankFrame) {
  Write("chr.spr", HandBuiltFile(2));  // the set count is skipped: the first set is read
  SpriteSet with;
  LoadCharacterSprites("chr.spr", 4, &with);
  ASSERT_EQ(with.frame_count, 1);
  EXPECT_EQ(with.frames[0].width, 2);
  EXPECT_EQ(with.frames[0].pixels[0], 1);
  EXPECT_FALSE(Logged("Created one blank frame for character 4"));
  FreeSetFrames(with);

  SpriteSet without;
  LoadCharacterSprites("none.spr", 4, &without);
  EXPECT_TRUE(Logged("Can't open sprite file for read:"));
  EXPECT_TRUE(Logged("none.spr"));
  EXPECT_TRUE(Logged("Created one blank frame for character 4"));
  EXPECT_TRUE(IsBlank(&without));
  FreeSetFrames(without);

  Write("bad.spr", {0, 1, 0, 1, 0});
  SpriteSet damaged;
  LoadCharacterSprites("bad.spr", 5, &damaged);
  EXPECT_TRUE(Logged("Damaged sprite file:"));
  EXPECT_TRUE(IsBlank(&damaged));
  FreeSetFrames(damaged);
}

TEST_F(SpriteLoading, WriterRefusesAll256ColoursAndKeepsTheOldFile) {
  Write("game.spr", HandBuiltFile(1));
  LoadSpriteSets("game.spr", 0);
  const SpriteSet* loaded = sprite_sets[0];
  ASSERT_EQ(WriteSpriteFile("copy.spr", &loaded, 1), 1);
  EXPECT_EQ(Read("copy.spr"), HandBuiltFile(1));

  SpriteSet wide;
  wide.frame_count = 1;
  wide.frames = static_cast<SpriteFrame*>(std::calloc(1, sizeof(SpriteFrame)));
  InitSpriteFrame(&wide.frames[0], 16, 16);
  wide.frames[0].pixels = static_cast<uint8_t*>(std::malloc(256));
  for (int i = 0; i < 256; i++) wide.frames[0].pixels[i] = uint8_t(i);
  const SpriteSet* sets[2] = {loaded, &wide};
  EXPECT_EQ(WriteSpriteFile("copy.spr", sets, 2), 0);
  EXPECT_TRUE(Logged("Set 1 uses all 256 colours"));
  EXPECT_EQ(Read("copy.spr"), HandBuiltFile(1));
  wide.frames[0].pixels[7] = 0;  // 255 colours fit
  EXPECT_EQ(WriteSpriteFile("copy.spr", sets, 2), 1);
  EXPECT_EQ(Read("copy.spr").size(), 2u + 37 + 2 + 1 + 255 + 4 + 256 + 27);

  for (const char* outside : {"no/such/folder/x.spr", "../x.spr"}) {
    ClearMessages();
    EXPECT_EQ(WriteSpriteFile(outside, sets, 1), 0);
    EXPECT_TRUE(Logged("Can't open file for writing:"));
  }
  EXPECT_FALSE(std::filesystem::exists(root_.parent_path() / "x.spr"));
  FreeSetFrames(wide);
}

}  // namespace
}  // namespace tolv::test
