// Line clipping and the line routines, checked in the 320x224 and 640x480
// geometries and on random segments that must never leave the frame.
#include <gtest/gtest.h>

#include <random>

#include "frame_check.h"

namespace tolv::test {
namespace {

struct Segment {
  int32_t x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};

int32_t Clip(Segment& s) { return draw_routines.clip_line(&s.x1, &s.y1, &s.x2, &s.y2); }

class Lines : public ::testing::Test {
 protected:
  void SetUp() override { StartFrame(1); }
  void TearDown() override { EXPECT_TRUE(CanaryIntact()); }
};

TEST_F(Lines, ClipLineCases) {
  struct Case {
    int mode;
    Segment in;
    int32_t result;
    Segment out;
  } cases[] = {
      {1, {-50, 100, 400, 100}, 1, {0, 100, 319, 100}},
      {1, {10, -5, 10, 300}, 1, {10, 0, 10, 223}},
      {1, {-10, 205, 300, 400}, 1, {0, 211, 19, 223}},
      {1, {5, 224, 300, 900}, 0, {5, 224, 300, 900}},
      {1, {-1, -1, -5, 100}, 0, {-1, -1, -5, 100}},
      {1, {3, 4, 300, 200}, 1, {3, 4, 300, 200}},
      {1, {-10, 5, 5, -10}, 0, {}},  // slanted, misses the corner
      {4, {-50, 479, 700, 479}, 1, {0, 479, 639, 479}},
      {4, {100, -2000000000, 100, 2000000000}, 1, {100, 0, 100, 479}},
      {0, {10, -5, 10, 300}, 1, {10, 0, 10, 239}},
      {5, {-50, 100, 500, 100}, 1, {0, 100, 423, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.in.x1 << "," << c.in.y1 << " " << c.in.x2
                                    << "," << c.in.y2);
    StartFrame(c.mode);
    Segment s = c.in;
    EXPECT_EQ(Clip(s), c.result);
    if (c.result || c.out != Segment{}) {
      EXPECT_EQ(s, c.out);
    }
  }
}

TEST_F(Lines, RunsStopBeforeTheirEnd) {
  draw_routines.draw_hline(0, 100, 319, 7);
  for (int x = 0; x < 319; x++) ASSERT_EQ(Pixel(x, 100), 7);
  EXPECT_EQ(Pixel(319, 100), 0);
  draw_routines.draw_hline(50, 50, 50, 9);
  EXPECT_EQ(Pixel(50, 50), 0);
  draw_routines.draw_hline(50, 50, 51, 9);
  EXPECT_EQ(Pixel(50, 50), 9);
  EXPECT_EQ(Pixel(51, 50), 0);
  draw_routines.draw_vline(10, 0, 223, 3);
  for (int y = 0; y < 223; y++) ASSERT_EQ(Pixel(10, y), 3);
  EXPECT_EQ(Pixel(10, 223), 0);
}

TEST_F(Lines, SlantedLinesEndOnTheirEndpoint) {
  draw_routines.draw_line(0, 0, 5, 10, 4);  // y-major: 11 pixels
  int n = 0;
  for (int y = 0; y < 12; y++)
    for (int x = 0; x < 7; x++) n += Pixel(x, y) == 4;
  EXPECT_EQ(n, 11);
  EXPECT_EQ(Pixel(0, 0), 4);
  EXPECT_EQ(Pixel(1, 1), 4);  // the column steps right after the first pixel
  EXPECT_EQ(Pixel(5, 10), 4);
  draw_routines.draw_line(300, 200, 100, 150, 6);  // x-major, leftward and up: 201 pixels
  n = 0;
  for (int y = 0; y < 224; y++)
    for (int x = 0; x < 320; x++) n += Pixel(x, y) == 6;
  EXPECT_EQ(n, 201);
  EXPECT_EQ(Pixel(300, 200), 6);
  EXPECT_EQ(Pixel(100, 150), 6);
}

TEST_F(Lines, RandomSegmentsClipInsideTheFrame) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int32_t> any(-100000, 100000), near(-400, 800);
  for (int mode : {1, 4}) {
    StartFrame(mode);
    for (int i = 0; i < 20000; i++) {
      bool flat = i % 2 == 0;
      Segment s{near(rng), near(rng), i % 5 ? near(rng) : any(rng), i % 7 ? near(rng) : any(rng)};
      if (flat) s.y2 = s.y1;
      if (!Clip(s)) continue;
      ASSERT_TRUE(0 <= s.x1 && s.x1 < frame_width && 0 <= s.y1 && s.y1 < frame_height) << i;
      ASSERT_TRUE(0 <= s.x2 && s.x2 < frame_width && 0 <= s.y2 && s.y2 < frame_height) << i;
      if (flat) draw_routines.draw_hline(std::min(s.x1, s.x2), s.y1, std::max(s.x1, s.x2), uint8_t(i));
      else draw_routines.draw_line(s.x1, s.y1, s.x2, s.y2, uint8_t(i));
    }
    ASSERT_TRUE(CanaryIntact());
  }
}

}  // namespace
}  // namespace tolv::test
