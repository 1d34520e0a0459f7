// Presenter selection and PresentFrame: slots per geometry, where the
// picture lands on the surface, two views, and surfaces that cannot hold it.
#include "present_surface.h"

namespace tolv::test {

class PresentFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_width = 320;
    frame_height = 240;
    window_scale = kPresentNormal;
    full_screen = 0;
    FillFrame(kFrameBytes, 5);
  }
  void TearDown() override {
    ResetPaletteBanks();
    std::memset(FrameStart(), 0, kFrameBytes);
    frame_width = 320;
    frame_height = 240;
    frame_view_count = 1;
    window_scale = kPresentNormal;
    full_screen = 0;
  }
  uint32_t identity_[256];
};

TEST_F(PresentFrameTest, SlotsFollowTheGeometry) {
  struct Case {
    int32_t width, height;
    PresentKind slots[4];
  };
  const PresentKind n = kPresentNormal, d = kPresentDouble, s = kPresentScanline, st = kPresentStretch;
  for (const Case& c : {Case{320, 224, {n, d, s, st}}, Case{320, 240, {n, d, s, st}}, Case{424, 240, {n, d, d, n}},
                        Case{640, 480, {n, n, n, n}}}) {
    frame_width = c.width;
    frame_height = c.height;
    for (uint8_t depth : {8, 15, 16, 24, 32}) {
      surface_depth = depth;
      SelectPresenters();
      for (int k = 0; k < 4; k++)
        EXPECT_EQ(present_routines[k], FindPresenter(c.width, c.height, depth, c.slots[k]))
            << c.width << "x" << c.height << " depth " << int(depth) << " slot " << k;
      EXPECT_EQ(present_routines[kPresentNative], FindPresenter(640, 480, depth, kPresentNormal));
    }
  }
}

// Where the picture lands, at depth 24 (the lookup value of an index is the
// index itself) or 8, on a new surface: pixels around it cleared, row
// padding untouched.
TEST_F(PresentFrameTest, PictureLandsCentredPerScaleAndViews) {
  struct Case {
    int32_t width, height;
    uint8_t depth, scale, views, full;
    int32_t left, top, sx, sy, lines;  // picture origin, scale, lines written per row pair
  };
  const Case cases[] = {
      {700, 500, 24, kPresentDouble, 1, 0, 30, 10, 2, 2, 2},   {640, 480, 8, kPresentScanline, 1, 0, 0, 0, 2, 2, 1},
      {320, 448, 8, kPresentNormal, 2, 0, 0, 0, 1, 1, 1},      {640, 480, 8, kPresentDouble, 2, 1, 0, 16, 2, 1, 1},
      {320, 240, 8, kPresentNormal, 1, 1, 0, 0, 1, 1, 1},  // full screen stretches two views only
  };
  for (uint32_t i = 0; i < 256; i++) identity_[i] = i;
  for (const Case& c : cases) {
    frame_view_count = c.views;
    frame_height = c.views == 2 ? 224 : 240;
    frame_buffer = FrameStart() + (c.views - 1) * 224 * 320;  // where the second view's pass drew
    window_scale = c.scale;
    full_screen = c.full;  // two views are then stretched, whatever the scale
    MemorySurface out(c.width, c.height, c.depth, 13);
    SetWindowSurface(out.s);
    colour_lookup = identity_;
    PresentFrame();
    for (int32_t y = 0; y < c.height; y++)
      for (int32_t x = 0; x < c.width; x++) out.Expect(x, y, 0);
    for (int32_t y = 0; y < frame_height * c.views; y++)
      for (int32_t x = 0; x < frame_width; x++)
        for (int32_t i = 0; i < c.sx * c.lines; i++)
          out.Expect(c.left + x * c.sx + i % c.sx, c.top + y * c.sy + i / c.sx, FrameStart()[y * frame_width + x]);
    EXPECT_TRUE(out.block == out.expected) << c.width << "x" << c.height << " scale " << int(c.scale);
    EXPECT_EQ(border, c.top * out.s.pitch + c.left * SurfaceBytesPerPixel(c.depth));
    EXPECT_EQ(view_bytes, frame_height * c.sy * out.s.pitch);
    EXPECT_EQ(second_line_offset, out.s.pitch);
  }
  frame_buffer = FrameStart();
}

// View 0 shows bank 0 even though drawing view 1 left bank 1 current; at
// depth 8 the banks are not switched and the host shows bank 0.
TEST_F(PresentFrameTest, TwoViewsTakeTheirOwnBanks) {
  frame_view_count = 2;
  frame_height = 224;
  std::memset(FrameStart(), 7, 320 * 448);
  const uint8_t red[3] = {255, 0, 0}, blue[3] = {0, 0, 255};
  for (uint8_t depth : {32, 8}) {
    MemorySurface out(320, 448, depth);
    SetWindowSurface(out.s);
    SelectPaletteBank(0);
    SetPaletteEntry(7, red);
    SelectPaletteBank(1);
    SetPaletteEntry(7, blue);
    PresentFrame();
    EXPECT_EQ(out.Pixel(0, 0), depth == 8 ? 7u : 0xFF0000u);
    EXPECT_EQ(out.Pixel(319, 447), depth == 8 ? 7u : 0x0000FFu);
    EXPECT_EQ(current_palette_bank, depth == 8 ? 0 : 1);
  }
}

// The surface's masks decide where each channel lands, in either order; at
// depth 24 as a three-byte little-endian pixel.
TEST_F(PresentFrameTest, ColoursFollowTheSurfaceMasks) {
  struct Case {
    PixelFormat format;
    uint8_t bytes[4];
  };
  const Case cases[] = {
      {{24, 0xFF0000, 0x00FF00, 0x0000FF}, {0x33, 0x22, 0x11}},
      {{24, 0x0000FF, 0x00FF00, 0xFF0000}, {0x11, 0x22, 0x33}},
      {{32, 0x0000FF, 0x00FF00, 0xFF0000}, {0x11, 0x22, 0x33, 0}},
      {{16, 0x001F, 0x07E0, 0xF800}, {0x02, 0x31}},  // 2 | 8 << 5 | 6 << 11
  };
  const uint8_t rgb[3] = {0x11, 0x22, 0x33};
  std::memset(FrameStart(), 9, 320 * 240);
  for (const Case& c : cases) {
    MemorySurface out(320, 240, c.format.depth);
    out.s.format = c.format;
    SetWindowSurface(out.s);
    SetPaletteEntry(9, rgb);
    PresentFrame();
    EXPECT_EQ(0, std::memcmp(out.s.pixels + 7 * out.s.pitch, c.bytes, SurfaceBytesPerPixel(c.format.depth)))
        << "depth " << int(c.format.depth) << " red " << std::hex << c.format.red_mask;
  }
}

// A surface that cannot hold the picture, an unknown scale or geometry, or
// a surface of another depth than the slots were chosen for: nothing.
TEST_F(PresentFrameTest, NothingIsWrittenWhereThePictureCannotGo) {
  struct Case {
    int32_t width, height, frame_width;
    uint8_t scale;
    int32_t pitch_cut;
  };
  for (const Case& c : {Case{639, 480, 320, kPresentDouble, 0}, Case{640, 479, 320, kPresentDouble, 0},
                        Case{640, 480, 320, kPresentDouble, 1}, Case{640, 480, 320, 3, 0},
                        Case{640, 480, 300, kPresentNormal, 0}}) {
    MemorySurface out(c.width, c.height, 8);
    out.s.pitch = c.width - c.pitch_cut;
    frame_width = c.frame_width;
    window_scale = c.scale;
    SetWindowSurface(out.s);
    PresentFrame();
    EXPECT_TRUE(out.block == out.expected) << c.width << "x" << c.height << " scale " << int(c.scale);
  }
  MemorySurface out(640, 480, 32);
  SetWindowSurface(out.s);
  window_surface.format.depth = 16;
  PresentFrame();
  EXPECT_TRUE(out.block == out.expected);
}

}  // namespace tolv::test
