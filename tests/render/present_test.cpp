// The presenter members on a padded memory surface: the area each kind
// writes and the filter values.
#include "present_surface.h"
#include "render/present_lookup.h"

namespace tolv::test {

class Presenters : public ::testing::Test {
 protected:
  // Other suites poison the guard rows to catch stray writes; the filters
  // read them, so they start as the presentation expects them.
  void SetUp() override {
    colour_lookup = lookup_;
    std::memset(frame_memory, 0, sizeof frame_memory);
  }
  void TearDown() override {
    std::memset(FrameStart(), 0, kFrameBytes);
    filter = kFilterNone;
    UseVectorLookups(true);
  }
  // The lookup variants this machine can run: scalar, and vector where the
  // processor has it.
  static std::vector<bool> LookupVariants() {
    return VectorLookupsAvailable() ? std::vector<bool>{false, true} : std::vector<bool>{false};
  }
  // Runs the 320x240 member of a depth and kind into a fresh surface.
  MemorySurface Present(uint8_t depth, PresentKind kind, uint8_t with_filter) {
    filter = with_filter;
    MemorySurface out(320 * ScaleX(kind), 240 * ScaleY(kind), depth);
    out.Run(FindPresenter(320, 240, depth, kind));
    return out;
  }
  uint32_t lookup_[256] = {};
};

// With no filter each output pixel is its source pixel's lookup value, over
// exactly the kind's area; TV Blur and Anti-Alias write the same area, and
// filter 3 nothing at all.
TEST_F(Presenters, EveryMemberWritesItsAreaOnly) {
  std::mt19937 rng(3);
  int members = 0;
  for (bool vector : LookupVariants())
  for (auto [w, h] : {std::pair{320, 224}, {320, 240}, {424, 240}, {640, 480}})
    for (uint8_t depth : {8, 15, 16, 24, 32})
      for (PresentKind kind : {kPresentNormal, kPresentDouble, kPresentScanline, kPresentStretch}) {
        PresentRoutine present = FindPresenter(w, h, depth, kind);
        if (!present) continue;
        members++;
        UseVectorLookups(vector);
        SCOPED_TRACE(::testing::Message() << w << "x" << h << " depth " << int(depth) << " kind " << int(kind)
                                          << (vector ? " vector" : " scalar"));
        for (uint32_t& v : lookup_) v = rng() & DepthMask(depth);
        FillFrame(w * h, rng());
        MemorySurface out(w * ScaleX(kind), h * ScaleY(kind), depth);
        for (int32_t y = 0; y < h; y++)
          for (int32_t x = 0; x < w; x++) {
            uint8_t index = FrameStart()[y * w + x];
            for (int32_t i = 0; i < ScaleX(kind) * (kind == kPresentDouble ? 2 : 1); i++)
              out.Expect(x * ScaleX(kind) + i % 2, y * ScaleY(kind) + i / 2, depth == 8 ? index : lookup_[index]);
          }
        filter = kFilterNone;
        out.Run(present);
        EXPECT_EQ(present_source, FrameStart() + w * h);
        ASSERT_TRUE(out.block == out.expected);
        for (uint8_t f : {1, 2, 3}) {
          if (depth == 8) break;
          filter = f;
          std::fill(out.block.begin(), out.block.end(), kCanary);
          out.Run(present);
          for (size_t i = 0; i < out.block.size(); i++)
            ASSERT_TRUE((out.written[i] && f != 3) || out.block[i] == kCanary) << "filter " << int(f) << " byte " << i;
        }
      }
  EXPECT_EQ(members, 55 * int(LookupVariants().size()));
}

// The filters against the per-pixel weights written out plainly, for every
// member on a random frame and palette: TV Blur and Anti-Alias by kind.
static uint32_t Fraction(uint8_t depth, uint32_t v, int shift) {
  static const uint32_t masks[3][3] = {{0x3def, 0x3ce7, 0x0c63}, {0x7bef, 0x39e7, 0x18e3}, {0x7f7f7f, 0x3f3f3f, 0x1f1f1f}};
  return (v >> shift) & masks[depth == 15 ? 0 : depth == 16 ? 1 : 2][shift - 1];
}

TEST_F(Presenters, FiltersFollowTheirWeightsEverywhere) {
  std::mt19937 rng(11);
  for (bool vector : LookupVariants())
  for (auto [w, h] : {std::pair{320, 224}, {424, 240}, {640, 480}})
    for (uint8_t depth : {15, 16, 24, 32})
      for (PresentKind kind : {kPresentNormal, kPresentDouble, kPresentScanline, kPresentStretch}) {
        PresentRoutine present = FindPresenter(w, h, depth, kind);
        if (!present) continue;
        for (uint32_t& v : lookup_) v = rng() & DepthMask(depth);
        FillFrame(w * h, rng());
        for (uint8_t f : {kFilterTvBlur, kFilterAntiAlias}) {
          SCOPED_TRACE(::testing::Message() << w << "x" << h << " depth " << int(depth) << " kind " << int(kind)
                                            << " filter " << int(f) << (vector ? " vector" : " scalar"));
          UseVectorLookups(vector);
          MemorySurface out(w * ScaleX(kind), h * ScaleY(kind), depth);
          const uint8_t* s = FrameStart();
          auto at = [&](int32_t i) { return lookup_[s[i]]; };
          auto part = [&](uint32_t v, int shift) { return Fraction(depth, v, shift); };
          for (int32_t i = 0; i < w * h; i++) {
            uint32_t m = at(i), l = at(i - 1), r = at(i + 1), u = at(i - w), d = at(i + w);
            uint32_t px[4];  // left, right of the first line; left, right of the second
            if (f == kFilterTvBlur) {
              px[0] = px[1] = px[2] = px[3] = part(m, 1) + part(l, 2) + part(r, 2);
            } else if (kind == kPresentNormal) {
              px[0] = part(m, 1) + part(l, 3) + part(r, 3) + part(u, 3) + part(d, 3);
            } else if (kind == kPresentStretch) {
              uint32_t base = part(m, 1) + part(m, 3) + part(u, 3) + part(d, 3);
              px[0] = base + part(l, 3), px[1] = base + part(r, 3);
            } else if (kind == kPresentScanline || depth == 15) {
              uint32_t base = part(m, 1) + part(u, 3) + part(d, 3);
              px[0] = px[2] = base + part(l, 2), px[1] = px[3] = base + part(r, 2);
            } else {
              px[0] = part(m, 1) + part(l, 2) + part(u, 2), px[1] = part(m, 1) + part(r, 2) + part(u, 2);
              px[2] = part(m, 1) + part(l, 2) + part(d, 2), px[3] = part(m, 1) + part(r, 2) + part(d, 2);
            }
            int32_t x = i % w, y = i / w;
            for (int32_t k = 0; k < ScaleX(kind) * (kind == kPresentDouble ? 2 : 1); k++)
              out.Expect(x * ScaleX(kind) + k % 2, y * ScaleY(kind) + k / 2, px[k]);
          }
          filter = f;
          out.Run(present);
          ASSERT_TRUE(out.block == out.expected);
        }
      }
}

TEST_F(Presenters, TvBlurSpreadsAQuarterToEachSide) {
  std::memset(FrameStart(), 5, 320 * 240);
  FrameStart()[10] = 9;
  lookup_[9] = 0xFCFCFC;
  MemorySurface out = Present(32, kPresentNormal, kFilterTvBlur);
  for (int32_t x = 0; x < 320; x++)
    EXPECT_EQ(out.Pixel(x, 0), x == 10 ? 0x7E7E7Eu : x == 9 || x == 11 ? 0x3F3F3Fu : 0u) << "column " << x;
  EXPECT_EQ(out.Pixel(10, 1), 0u);
}

// White (every lookup value, the guards' included) stays a grey with each
// channel inside its own field, for either filter at every depth: at 16
// bits Anti-Alias gives 27, 59, 27.
TEST_F(Presenters, FilteredWhiteKeepsEachChannelInItsField) {
  for (uint8_t depth : {15, 16, 24, 32}) {
    PixelFormat f = StandardPixelFormat(depth);
    std::fill(std::begin(lookup_), std::end(lookup_), f.red_mask | f.green_mask | f.blue_mask);
    for (auto [fil, eighths] : {std::pair{kFilterTvBlur, 0}, {kFilterAntiAlias, 4}}) {
      uint32_t grey = 0;
      for (uint32_t mask : {f.red_mask, f.green_mask, f.blue_mask}) {
        uint32_t max = mask >> __builtin_ctz(mask);
        grey |= ((max >> 1) + (eighths ? 4 * (max >> 3) : 2 * (max >> 2))) << __builtin_ctz(mask);
      }
      if (depth == 16 && eighths) {
        EXPECT_EQ(grey, uint32_t{27 << 11 | 59 << 5 | 27});
      }
      MemorySurface out = Present(depth, kPresentNormal, fil);
      for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {160, 120}, {319, 239}})
        EXPECT_EQ(out.Pixel(x, y), depth == 24 ? __builtin_bswap32(grey) >> 8 : grey) << int(depth) << " " << x;
    }
  }
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
  for (const Case& c : cases) {
    auto pack = [&](uint32_t v) { return c.depth == 32 ? v * 0x010101 : v << (c.depth == 16 ? 11 : 10) | v << 5 | v; };
    for (int i = 0; i < 6; i++) lookup_[i] = pack(c.depth == 32 ? eight_bits[i] : five_bits[i]);
    MemorySurface out = Present(c.depth, c.kind, kFilterAntiAlias);
    for (int i = 0; i < ScaleX(c.kind) * (c.kind == kPresentDouble ? 2 : 1); i++)
      EXPECT_EQ(out.Pixel(100 * ScaleX(c.kind) + i % 2, 100 * ScaleY(c.kind) + i / 2), pack(c.out[i]))
          << "depth " << int(c.depth) << " kind " << int(c.kind) << " pixel " << i;
  }
}

// The first pixel's left and upper neighbours are the guard bytes (index
// 0), read as they are rather than clamped to the frame; likewise past the
// last pixel.
TEST_F(Presenters, AntiAliasAtTheEdgesReadsTheGuard) {
  std::memset(FrameStart(), 1, 320 * 240);
  lookup_[0] = 0x080808;
  lookup_[1] = 0xF8F8F8;
  MemorySurface out = Present(32, kPresentNormal, kFilterAntiAlias);
  EXPECT_EQ(out.Pixel(0, 0), 0xBCBCBCu);  // 7C + 1F (right, below) x2 + 01 (left, above) x2
  EXPECT_EQ(out.Pixel(1, 0), 0xDADADAu);  // only the upper neighbour is guard
  EXPECT_EQ(out.Pixel(160, 120), 0xF8F8F8u);
  EXPECT_EQ(out.Pixel(319, 239), 0xBCBCBCu);
}

}  // namespace tolv::test
