// Tile and sprite blitters: the clipping, wrap and flip rules as exact
// bytes in the frame, a reference mirror for every flipped form, and a
// randomized run that must leave the canary around the frame intact.
#include <gtest/gtest.h>

#include "frame_check.h"
#include "sprite_fixture.h"

namespace tolv::test {
namespace {

class Blitters : public ::testing::Test {
 protected:
  void SetUp() override { StartFrame(0); }
  void TearDown() override { EXPECT_TRUE(CanaryIntact()); }
  // Number of frame pixels that differ from 0.
  static int Drawn() {
    int n = 0;
    for (int y = 0; y < frame_height; y++)
      for (int x = 0; x < frame_width; x++) n += Pixel(x, y) != 0;
    return n;
  }
};

TEST_F(Blitters, TileClipsAtEveryEdge) {
  TestTile t;
  struct Case {
    int mode, x, y;
    int first_col, cols, first_row, rows;  // frame column and row of tile pixel (8 - cols, 8 - rows) or (0, 0)
  } cases[] = {
      {0, -7, 10, 0, 1, 10, 8},   {0, 319, 10, 319, 1, 10, 8}, {0, -8, 10, 0, 0, 0, 0},  {0, 320, 10, 0, 0, 0, 0},
      {0, 10, 239, 10, 8, 239, 1}, {0, 10, 233, 10, 8, 233, 7}, {0, 10, -3, 10, 8, 0, 5}, {1, 10, 223, 10, 8, 223, 1},
      {1, 10, 224, 0, 0, 0, 0},   {4, 639, 479, 639, 1, 479, 1}, {5, 423, 5, 423, 1, 5, 8}, {5, 417, 5, 417, 7, 5, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " at " << c.x << "," << c.y);
    StartFrame(c.mode);
    draw_routines.draw_tile_opaque(&t.tile, 100, -50, c.x + 100, c.y - 50);
    EXPECT_EQ(Drawn(), c.cols * c.rows);
    if (!c.cols) continue;
    int src_col = c.x < 0 ? -c.x : 0, src_row = c.y < 0 ? -c.y : 0;
    for (int r = 0; r < c.rows; r++)
      for (int k = 0; k < c.cols; k++)
        ASSERT_EQ(Pixel(c.first_col + k, c.first_row + r), t.pixels[(src_row + r) * 8 + src_col + k]);
  }
}

TEST_F(Blitters, TransparentTileKeepsTheFrameUnderColourZero) {
  TestTile holes(true);
  std::memset(frame_buffer, 200, size_t(frame_width) * frame_height);
  draw_routines.draw_tile_transparent(&holes.tile, 0, 0, 4, 4);
  draw_routines.draw_tile_opaque(&holes.tile, 0, 0, 20, 4);
  for (int i = 0; i < 64; i++) {
    EXPECT_EQ(Pixel(4 + i % 8, 4 + i / 8), holes.pixels[i] ? holes.pixels[i] : 200);
    EXPECT_EQ(Pixel(20 + i % 8, 4 + i / 8), holes.pixels[i]);
  }
  Tile none;  // no frame: nothing drawn
  draw_routines.draw_tile_opaque(&none, 0, 0, 40, 40);
  EXPECT_EQ(Pixel(40, 40), 200);
}

TEST_F(Blitters, SpriteCutsAndOffScreenResults) {
  TestSprite s(32, 16);
  EXPECT_EQ(draw_routines.draw_sprite[0](&s.frame, 0, 0, -31, 10), 1);
  EXPECT_EQ(Drawn(), 16);
  for (int r = 0; r < 16; r++) EXPECT_EQ(Pixel(0, 10 + r), s.At(31, r));
  StartFrame(0);
  EXPECT_EQ(draw_routines.draw_sprite[0](&s.frame, 0, 0, -32, 10), 0);
  EXPECT_EQ(draw_routines.draw_sprite[0](&s.frame, 0, 0, 10, 240), 0);
  EXPECT_EQ(draw_routines.draw_sprite[0](&s.frame, 0, 0, 10, -16), 0);
  EXPECT_EQ(Drawn(), 0);
  // The frame's offsets move it; the camera is subtracted.
  TestSprite offset(4, 4, 0, -2, -3);
  EXPECT_EQ(draw_routines.draw_sprite[0](&offset.frame, 100, 200, 152, 253), 1);
  EXPECT_EQ(Pixel(50, 50), offset.At(0, 0));
  // Wider than the frame: cut on both sides at once.
  TestSprite wide(400, 2);
  draw_routines.draw_sprite[0](&wide.frame, 0, 0, -30, 0);
  EXPECT_EQ(Pixel(0, 0), wide.At(30, 0));
  EXPECT_EQ(Pixel(319, 1), wide.At(349, 1));
}

TEST_F(Blitters, LevelWrapPlacesTheSpriteOnce) {
  TestSprite s(32, 4);
  registers[39] = 1, registers[47] = 1024;
  draw_routines.draw_sprite[0](&s.frame, 0, 0, 1000, 0);  // drawn at -24
  EXPECT_EQ(Pixel(0, 0), s.At(24, 0));
  EXPECT_EQ(Pixel(8, 0), 0);
  StartFrame(0);
  registers[39] = 1, registers[47] = 1024;
  draw_routines.draw_sprite[0](&s.frame, 0, 0, -1030, 0);  // drawn at -6
  EXPECT_EQ(Pixel(0, 0), s.At(6, 0));
  EXPECT_EQ(Pixel(25, 0), s.At(31, 0));
  // Visible as given: no second copy a wrap width away.
  StartFrame(0);
  registers[39] = 1, registers[47] = 300;
  draw_routines.draw_sprite[0](&s.frame, 0, 0, 290, 0);
  EXPECT_EQ(Pixel(0, 0), 0);
  // The second player's registers serve while it is current.
  StartFrame(0);
  registers[kRegPlayer] = 1, registers[42] = 1, registers[50] = 500;
  EXPECT_EQ(draw_routines.draw_sprite[0](&s.frame, 0, 0, 0, 498), 1);
  EXPECT_EQ(Pixel(0, 0), s.At(0, 2));
}

TEST_F(Blitters, FlippedFormsCountCutsInDrawnColumnsAndRows) {
  TestSprite s(20, 10);
  // Mirrored with left cut 5: source columns 14 down to 0.
  draw_routines.draw_sprite[kDrawBackward](&s.frame, 0, 0, -5, 0);
  for (int c = 0; c < 15; c++) EXPECT_EQ(Pixel(c, 0), s.At(14 - c, 0));
  EXPECT_EQ(Pixel(15, 0), 0);
  // Upside down with the top 3 rows cut: source rows 6 down to 0.
  StartFrame(0);
  draw_routines.draw_sprite[kDrawUpsideDown](&s.frame, 0, 0, 50, -3);
  for (int r = 0; r < 7; r++) EXPECT_EQ(Pixel(50, r), s.At(0, 6 - r));
  EXPECT_EQ(Pixel(50, 7), 0);
  // The flipped offsets take the place of the plain ones.
  TestSprite off(4, 4, 0, 100, 100, -1, -2);
  StartFrame(0);
  draw_routines.draw_sprite[kDrawBoth](&off.frame, 0, 0, 10, 10);
  EXPECT_EQ(Pixel(9, 8), off.At(3, 3));
}

TEST_F(Blitters, ClippedSpriteKeepsToItsRectangleAndTheFrame) {
  TestSprite s(8, 8);
  EXPECT_EQ(draw_routines.draw_sprite_clipped[0](&s.frame, 0, 0, 18, 5, 10, 20, 10, 20), 1);
  EXPECT_EQ(Drawn(), 9);
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 3; c++) EXPECT_EQ(Pixel(18 + c, 10 + r), s.At(c, 5 + r));
  StartFrame(0);
  EXPECT_EQ(draw_routines.draw_sprite_clipped[0](&s.frame, 0, 0, 21, 5, 10, 20, 10, 20), 0);
  EXPECT_EQ(draw_routines.draw_sprite_clipped[kDrawBoth](&s.frame, 0, 0, 2, 5, 10, 20, 10, 20), 0);
  // A flipped form counts as drawn once accepted, even with nothing inside.
  EXPECT_EQ(draw_routines.draw_sprite_clipped[kDrawBackward](&s.frame, 0, 0, 0, 0, 4, 3, -5, 100), 1);
  // A rectangle from a script that reaches past the frame draws only inside it.
  for (int f = 0; f < 4; f++) draw_routines.draw_sprite_clipped[f](&s.frame, 0, 0, -4, 236, -1000, 1000, -1000, 1000);
  EXPECT_EQ(Drawn(), 16);
}

// Every sprite routine of every geometry against the reference blit, and
// 100,000 blits of every kind with the canary checked after them.
TEST_F(Blitters, RandomBlitsMatchTheReferenceAndStayInTheFrame) {
  std::mt19937 rng(2024);
  auto pick = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
  std::vector<TestSprite> sprites = {TestSprite(32, 32, 2, -16, -16, -15, -15), TestSprite(1, 1),
                                     TestSprite(17, 5, 3, 3, -7, 2, 9), TestSprite(700, 3, 5), TestSprite(3, 500, 4),
                                     TestSprite(64, 40, 7, 0, 0, -63, -39)};
  TestTile tiles[2] = {TestTile(false), TestTile(true)};
  int compared = 0;
  for (int mode : {0, 1, 4, 5}) {
    StartFrame(mode);
    const int32_t W = frame_width, H = frame_height;
    std::vector<uint8_t> ref(size_t(W) * H, 0);
    for (int i = 0; i < 25000; i++) {
      const TestSprite& s = sprites[size_t(pick(0, int64_t(sprites.size()) - 1))];
      const SpriteFrame& f = s.frame;
      int flip = int(pick(0, 3));
      int64_t span = pick(0, 3) ? 800 : 1 << 30;
      int32_t cx = int32_t(pick(-span, span)), cy = int32_t(pick(-span, span));
      int32_t x = int32_t(pick(-span, span)), y = int32_t(pick(-span, span));
      registers[39] = int32_t(pick(0, 1)), registers[41] = int32_t(pick(0, 1));
      registers[47] = int32_t(pick(-1200, 1200)), registers[49] = int32_t(pick(-1200, 1200));
      int64_t sx = int64_t(flip & 1 ? f.back_draw_x : f.draw_x) + x - cx;
      int64_t sy = int64_t(flip & 2 ? f.flip_draw_y : f.draw_y) + y - cy;
      switch (pick(0, 2)) {
        case 0: {  // level-wrapping form
          auto place = [&](int64_t& v, int64_t size, int64_t extent, int on, int64_t d) {
            auto visible = [&](int64_t p) { return -size < p && p <= extent - 1; };
            if (visible(v)) return true;
            if (!on) return false;
            if (visible(v - d)) return v -= d, true;
            if (visible(v + d)) return v += d, true;
            return false;
          };
          int32_t drawn = draw_routines.draw_sprite[flip](&f, cx, cy, x, y);
          bool shown = place(sx, f.width, W, registers[39], registers[47]) &&
                       place(sy, f.height, H, registers[41], registers[49]);
          ASSERT_EQ(drawn, shown ? 1 : 0);
          if (shown) ReferenceBlit(ref, W, f, flip, sx, sy, 0, W - 1, 0, H - 1);
          break;
        }
        case 1: {  // clipped form, rectangles anywhere
          int32_t l = int32_t(pick(-50, W + 50)), r = int32_t(pick(-50, W + 50));
          int32_t t = int32_t(pick(-50, H + 50)), b = int32_t(pick(-50, H + 50));
          draw_routines.draw_sprite_clipped[flip](&f, cx, cy, x, y, l, r, t, b);
          ReferenceBlit(ref, W, f, flip, sx, sy, std::max(l, 0), std::min(r, W - 1), std::max(t, 0),
                        std::min(b, H - 1));
          break;
        }
        default: {  // tiles
          const TestTile& tt = tiles[pick(0, 1)];
          int64_t tx = int64_t(x) - cx, ty = int64_t(y) - cy;
          (tt.tile.opaque ? draw_routines.draw_tile_opaque : draw_routines.draw_tile_transparent)(&tt.tile, cx, cy,
                                                                                                   x, y);
          for (int k = 0; k < 64; k++) {
            int64_t px = tx + k % 8, py = ty + k / 8;
            if (0 <= px && px < W && 0 <= py && py < H && tt.pixels[k]) ref[size_t(py * W + px)] = tt.pixels[k];
          }
        }
      }
      if (i % 64 == 0) {
        ASSERT_EQ(std::memcmp(frame_buffer, ref.data(), ref.size()), 0) << "mode " << mode << " blit " << i;
        compared++;
      }
    }
    ASSERT_EQ(std::memcmp(frame_buffer, ref.data(), ref.size()), 0);
    ASSERT_TRUE(CanaryIntact()) << "mode " << mode;
  }
  EXPECT_GT(compared, 1500);
}

}  // namespace
}  // namespace tolv::test
