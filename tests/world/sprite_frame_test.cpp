#include <cstdlib>

#include "script/operands.h"
#include "sprite_test_util.h"

namespace tolv::test {

TEST(SpriteFrames, MirroredBoxesAndHotSpots) {
  SpriteFrame f;
  InitSpriteFrame(&f, 16, 8);
  f.draw_x = -8;
  f.draw_y = -4;
  f.box = Box{-8, 8, -4, 4};
  f.hotspot_count = 1;
  f.hotspots = static_cast<HotSpot*>(std::malloc(sizeof(HotSpot)));
  f.hotspots[0] = HotSpot{2, 3};
  MirrorFrameBoxes(&f);
  EXPECT_EQ(f.mirrored_box.left, -1);
  EXPECT_EQ(f.mirrored_box.right, 15);
  EXPECT_EQ(f.mirrored_box.top, -1);
  EXPECT_EQ(f.mirrored_box.bottom, 7);
  EXPECT_EQ(f.mirrored_hotspots[0].x, 5);
  EXPECT_EQ(f.mirrored_hotspots[0].y, 0);
  f.back_draw_x = -8;  // MX = -1: a box from -4 to 6 becomes -7 to 3
  Box m = MirrorBox(f, Box{-4, 6, 0, 0});
  EXPECT_EQ(m.left, -7);
  EXPECT_EQ(m.right, 3);
  FreeSpriteFrame(&f);
  EXPECT_EQ(f.hotspots, nullptr);
}

TEST(SpriteFrames, CentredOffsetsKeepTheirLiteralBox) {
  SpriteFrame f;
  InitSpriteFrame(&f, 5, 4);
  InitFrameOffsets(&f);
  EXPECT_EQ(f.draw_x, -2);
  EXPECT_EQ(f.draw_y, -2);
  EXPECT_EQ(f.back_draw_x, -3);
  EXPECT_EQ(f.flip_draw_y, -2);
  for (const Box& b : {f.box, f.mirrored_box}) {
    EXPECT_EQ(b.left, -1);
    EXPECT_EQ(b.right, 1);
    EXPECT_EQ(b.top, -1);
    EXPECT_EQ(b.bottom, 1);
  }
}

TEST_F(SpriteTest, BlankFrameTakesTwoPixelBytesAboveSetting2) {
  for (int32_t setting : {0, 3}) {
    Reg(kRegEngineSetting) = setting;
    SpriteFrame f;
    InitBlankFrame(&f);
    EXPECT_EQ(f.width, 1);
    EXPECT_EQ(f.pixels[0], 1);
    if (setting > 2) {
      EXPECT_EQ(f.pixels[1], 1);  // ASan checks the buffer's size
    }
    EXPECT_EQ(f.draw_x, 0);
    EXPECT_EQ(f.back_draw_x, -1);
    FreeSpriteFrame(&f);
  }
  Reg(kRegEngineSetting) = 0;
}

TEST_F(SpriteTest, CutEndsFatallyOnePixelPastTheImage) {
  uint8_t px[4 * 3];
  for (int i = 0; i < 12; i++) px[i] = static_cast<uint8_t>(i);
  Image img{4, 3, px};
  SpriteFrame f;
  InitSpriteFrame(&f, 2, 2);
  CutFrameFromImage(&img, &f, 2, 1);  // ends exactly at the right and bottom edges
  EXPECT_EQ(f.pixels[0], 6);
  EXPECT_EQ(f.pixels[3], 11);
  struct Area {
    int32_t x, y;
  };
  for (Area a : {Area{3, 1}, Area{2, 2}, Area{-1, 0}, Area{0, -1}}) {
    std::string message;
    try {
      CutFrameFromImage(&img, &f, a.x, a.y);
    } catch (const Fatal& e) {
      message = e.message;
    }
    EXPECT_EQ(message, "Sprite load attempted to read beyond the bounds of the loaded image") << a.x << "," << a.y;
  }
  EXPECT_EQ(f.pixels[0], 6);  // the frame keeps what it had
  FreeSpriteFrame(&f);
  InitSpriteFrame(&f, 0, 0);  // sizes below 1 become 1
  EXPECT_EQ(f.width, 1);
  FreeSpriteFrame(&f);
}

}  // namespace tolv::test
