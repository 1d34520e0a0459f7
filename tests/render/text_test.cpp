// Text: glyph choice per font kind, glyphs placed by their widths, and the
// clipped form.
#include <gtest/gtest.h>

#include "frame_check.h"
#include "render/font.h"
#include "render/text.h"
#include "sprite_fixture.h"

namespace tolv::test {
namespace {

TEST(Text, GlyphPerFontKind) {
  struct Case {
    uint8_t kind;
    const char* text;
    std::vector<uint32_t> glyphs;
  } cases[] = {
      {0, "A\xff", {65, 255}},
      {1, "A\x80", {66, 0}},
      {2, "0Za!", {1, 36, 37, 0}},
      {3, "9zZ ", {10, 36, 36, 0}},
      {4, "7x", {8, 0}},
      {5, " ~\x7f", {0, 94, 0}},
      {6, "`a{~", {64, 33, 65, 68}},
      {7, "9afG", {10, 11, 16, 0}},
      {8, "A", {0}},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> got;
    for (const char* p = c.text; *p; p++) got.push_back(GlyphIndex(c.kind, uint8_t(*p)));
    EXPECT_EQ(got, c.glyphs) << "kind " << int(c.kind);
    for (uint32_t g : got) EXPECT_LT(g, FontGlyphCount(c.kind) ? FontGlyphCount(c.kind) : 1);
  }
}

class TextDrawing : public ::testing::Test {
 protected:
  // A kind-4 font (blank and digits): glyph g is g + 1 pixels wide, 3 high, colour 10 + g.
  void SetUp() override {
    StartFrame(0);
    for (uint32_t g = 0; g < 11; g++) {
      sprites.emplace_back(int(g + 1), 3);
      std::fill(sprites.back().pixels.begin(), sprites.back().pixels.end(), uint8_t(10 + g));
    }
    for (uint32_t g = 0; g < 11; g++) glyphs[g] = sprites[g].frame;
    font = Font{glyphs, 4};
    fonts = &font;
    font_counts.total = font_counts.game = 1;
  }
  void TearDown() override {
    fonts = nullptr;
    font_counts = ScopeCounts{};
    EXPECT_TRUE(CanaryIntact());
  }
  std::vector<TestSprite> sprites;
  SpriteFrame glyphs[11];
  Font font;
};

TEST_F(TextDrawing, GlyphsFollowEachOtherByWidth) {
  DrawText("10 2", 5, 7, 0);
  std::vector<uint8_t> row;
  for (int x = 5; x < 16; x++) row.push_back(Pixel(x, 7));
  // '1' (glyph 2, 3 wide), '0' (glyph 1, 2 wide), ' ' (glyph 0, 1 wide), '2' (glyph 3, 4 wide)
  EXPECT_EQ(row, (std::vector<uint8_t>{12, 12, 12, 11, 11, 10, 13, 13, 13, 13, 0}));
  EXPECT_EQ(Pixel(5, 9), 12);
  EXPECT_EQ(Pixel(5, 10), 0);
  DrawText("5", 0, 0, 1);  // no such font
  DrawText(nullptr, 0, 0, 0);
  EXPECT_EQ(Pixel(0, 0), 0);
}

TEST_F(TextDrawing, ClippedTextKeepsToItsRectangle) {
  DrawTextClipped("99", 100, 50, 0, 103, 112, 51, 51);
  int n = 0;
  for (int y = 45; y < 60; y++)
    for (int x = 95; x < 125; x++) n += Pixel(x, y) != 0;
  EXPECT_EQ(n, 10);  // columns 103..112 of row 51
  EXPECT_EQ(Pixel(103, 51), 20);
  EXPECT_EQ(Pixel(112, 51), 20);
}

}  // namespace
}  // namespace tolv::test
