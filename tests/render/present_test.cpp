// The presenter members on a padded memory surface: the area each kind
// writes, the filter values the format relies on, and the two-view run.
#include "present_surface.h"

namespace tolv::test {

struct Member {
  int32_t width, height;
  uint8_t depth;
  PresentKind kind;
};

static std::vector<Member> AllMembers() {
  std::vector<Member> all;
  for (auto [w, h] : {std::pair{320, 224}, {320, 240}, {424, 240}, {640, 480}})
    for (uint8_t d : {8, 15, 16, 24, 32})
      for (int k = kPresentNormal; k <= kPresentStretch; k++)
        if (FindPresenter(w, h, d, PresentKind(k))) all.push_back({w, h, d, PresentKind(k)});
  return all;
}

class Presenters : public ::testing::Test {
 protected:
  void SetUp() override {
    lookup_.resize(256);
    colour_lookup = lookup_.data();
    filter = kFilterNone;
  }
  void TearDown() override {
    std::memset(FrameStart(), 0, kFrameBytes);
    filter = kFilterNone;
  }
  std::vector<uint32_t> lookup_;
};

// Every member writes exactly its area: with no filter each output pixel is
// its source pixel's lookup value, the TV Blur and Anti-Alias outputs stay
// inside the same area, and filter 3 writes nothing.
TEST_F(Presenters, EveryMemberWritesItsAreaOnly) {
  std::vector<Member> members = AllMembers();
  ASSERT_EQ(members.size(), 55u);
  std::mt19937 rng(3);
  for (const Member& m : members) {
    SCOPED_TRACE(::testing::Message() << m.width << "x" << m.height << " depth " << int(m.depth) << " kind "
                                      << int(m.kind));
    for (uint32_t& v : lookup_) v = rng() & DepthMask(m.depth);
    FillFrame(m.width * m.height, rng());
    const int32_t sx = m.kind == kPresentNormal ? 1 : 2;
    const int32_t sy = m.kind == kPresentDouble || m.kind == kPresentScanline ? 2 : 1;
    MemorySurface out(m.width * sx, m.height * sy, m.depth);
    for (int32_t y = 0; y < m.height; y++)
      for (int32_t x = 0; x < m.width; x++) {
        uint8_t index = FrameStart()[y * m.width + x];
        uint32_t v = m.depth == 8 ? index : lookup_[index];
        for (int32_t dx = 0; dx < sx; dx++)
          for (int32_t dy = 0; dy < (m.kind == kPresentDouble ? 2 : 1); dy++) out.Expect(x * sx + dx, y * sy + dy, v);
      }
    PresentRoutine present = FindPresenter(m.width, m.height, m.depth, m.kind);
    out.Run(present);
    EXPECT_EQ(present_source, FrameStart() + m.width * m.height);
    ASSERT_TRUE(out.block == out.expected);
    if (m.depth == 8) continue;
    for (uint8_t f : {uint8_t{kFilterTvBlur}, uint8_t{kFilterAntiAlias}, uint8_t{3}}) {
      filter = f;
      std::fill(out.block.begin(), out.block.end(), kCanary);
      out.Run(present);
      for (size_t i = 0; i < out.block.size(); i++) {
        if (!out.written[i] || f == 3) {
          ASSERT_EQ(out.block[i], kCanary) << "filter " << int(f) << " byte " << i;
        }
      }
    }
    filter = kFilterNone;
  }
}

TEST_F(Presenters, TvBlurSpreadsAQuarterToEachSide) {
  std::memset(FrameStart(), 5, 320 * 240);
  FrameStart()[10] = 9;
  lookup_[9] = 0xFCFCFC;
  filter = kFilterTvBlur;
  MemorySurface out(320, 240, 32);
  out.Run(FindPresenter(320, 240, 32, kPresentNormal));
  for (int32_t x = 0; x < 320; x++) {
    uint32_t want = x == 10 ? 0x7E7E7E : x == 9 || x == 11 ? 0x3F3F3F : 0;
    EXPECT_EQ(out.Pixel(x, 0), want) << "column " << x;
  }
  EXPECT_EQ(out.Pixel(10, 1), 0u);
}

TEST_F(Presenters, AntiAliasOfWhiteStaysInsideEachChannel) {
  std::fill(lookup_.begin(), lookup_.end(), 0xFFFF);
  filter = kFilterAntiAlias;
  MemorySurface out(320, 240, 16);
  out.Run(FindPresenter(320, 240, 16, kPresentNormal));
  const uint32_t grey = 27 << 11 | 59 << 5 | 27;
  for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {160, 120}, {0, 239}, {319, 239}})
    EXPECT_EQ(out.Pixel(x, y), grey) << x << "," << y;
}

// Anti-Alias weights by kind, on one pixel with distinct neighbours: each
// output pixel leans toward the side it stands on (but at depth 15).
TEST_F(Presenters, AntiAliasWeightsFollowTheKind) {
  struct Case {
    uint8_t depth;
    PresentKind kind;
    uint32_t out[4];  // channel value of the left and right pixel, first line then second
  };
  const Case cases[] = {
      {32, kPresentNormal, {128}},         {32, kPresentStretch, {120, 136}},
      {32, kPresentScanline, {112, 144}},  {32, kPresentDouble, {88, 120, 136, 168}},
      {16, kPresentDouble, {12, 16, 16, 20}}, {15, kPresentDouble, {14, 18, 14, 18}},
  };
  // Indexes 1-5: the pixel, its left, right, upper and lower neighbour.
  const int32_t at = 100 * 320 + 100;
  for (auto [offset, index] : {std::pair{0, 1}, {-1, 2}, {1, 3}, {-320, 4}, {320, 5}}) FrameStart()[at + offset] = index;
  const uint32_t eight_bits[] = {0, 128, 64, 192, 32, 224}, five_bits[] = {0, 16, 8, 24, 8, 24};
  filter = kFilterAntiAlias;
  for (const Case& c : cases) {
    auto pack = [&](uint32_t v) { return c.depth == 32 ? v * 0x010101 : v << (c.depth == 16 ? 11 : 10) | v << 5 | v; };
    for (int i = 0; i < 6; i++) lookup_[i] = pack(c.depth == 32 ? eight_bits[i] : five_bits[i]);
    const int32_t sx = c.kind == kPresentNormal ? 1 : 2;
    const int32_t sy = c.kind == kPresentDouble || c.kind == kPresentScanline ? 2 : 1;
    MemorySurface out(320 * sx, 240 * sy, c.depth);
    out.Run(FindPresenter(320, 240, c.depth, c.kind));
    for (int i = 0; i < sx * (c.kind == kPresentDouble ? 2 : 1); i++)
      EXPECT_EQ(out.Pixel(100 * sx + i % 2, 100 * sy + i / 2), pack(c.out[i]))
          << "depth " << int(c.depth) << " kind " << int(c.kind) << " pixel " << i;
  }
}

// A filtered channel at its maximum never carries into its neighbours, at
// every depth and for either channel order.
TEST_F(Presenters, FiltersKeepEachChannelInItsField) {
  for (uint8_t depth : {15, 16, 24, 32}) {
    PixelFormat f = StandardPixelFormat(depth);
    for (uint32_t mask : {f.red_mask, f.green_mask, f.blue_mask}) {
      const int shift = __builtin_ctz(mask);
      const uint32_t max = mask >> shift;
      std::fill(lookup_.begin(), lookup_.end(), mask);
      for (auto [fil, value] : {std::pair{kFilterTvBlur, (max >> 1) + 2 * (max >> 2)},
                                {kFilterAntiAlias, (max >> 1) + 4 * (max >> 3)}}) {
        filter = fil;
        MemorySurface out(320, 240, depth);
        for (int32_t y = 0; y < 240; y++)
          for (int32_t x = 0; x < 320; x++) out.Expect(x, y, value << shift);
        out.Run(FindPresenter(320, 240, depth, kPresentNormal));
        EXPECT_TRUE(out.block == out.expected) << "depth " << int(depth) << " mask " << std::hex << mask;
      }
    }
  }
}

// The first pixel's left and upper neighbours are the guard bytes (index
// 0), read as they are rather than clamped to the frame.
TEST_F(Presenters, AntiAliasAtTheFirstPixelReadsTheGuard) {
  std::memset(FrameStart(), 1, 320 * 240);
  lookup_[0] = 0x080808;
  lookup_[1] = 0xF8F8F8;
  filter = kFilterAntiAlias;
  MemorySurface out(320, 240, 32);
  out.Run(FindPresenter(320, 240, 32, kPresentNormal));
  EXPECT_EQ(out.Pixel(0, 0), 0xBCBCBCu);     // 7C + 1F (right, below) x2 + 01 (left, above) x2
  EXPECT_EQ(out.Pixel(1, 0), 0xDADADAu);     // only the upper neighbour is guard
  EXPECT_EQ(out.Pixel(160, 120), 0xF8F8F8u);
  EXPECT_EQ(out.Pixel(319, 239), 0xBCBCBCu);  // right and lower neighbours after the frame
}

// The second call converts the view stored below the first without the
// source being set again; the views are each other's vertical neighbours.
TEST_F(Presenters, SecondCallContinuesWithTheLowerView) {
  FillFrame(320 * 448, 11);
  std::vector<uint32_t> second(256);
  for (int i = 0; i < 256; i++) lookup_[i] = i, second[i] = 0x10000 + i;
  MemorySurface out(320, 448, 32);
  out.Run(FindPresenter(320, 224, 32, kPresentNormal));
  colour_lookup = second.data();
  present_target = out.s.pixels + 224 * out.s.pitch;
  FindPresenter(320, 224, 32, kPresentNormal)();
  for (int32_t y : {0, 223, 224, 447})
    for (int32_t x : {0, 319})
      EXPECT_EQ(out.Pixel(x, y), (y < 224 ? 0u : 0x10000u) + FrameStart()[y * 320 + x]) << x << "," << y;
  filter = kFilterAntiAlias;
  std::fill(lookup_.begin(), lookup_.end(), 0);
  std::fill(second.begin(), second.end(), 0);
  lookup_[0x77] = second[0x77] = 0x808080;
  std::memset(FrameStart(), 0, 320 * 448);
  FrameStart()[223 * 320 + 5] = 0x77;
  out.Run(FindPresenter(320, 224, 32, kPresentNormal));
  FindPresenter(320, 224, 32, kPresentNormal)();
  EXPECT_EQ(out.Pixel(5, 224), 0x101010u);  // the upper view's bottom row is its Up
}

}  // namespace tolv::test
