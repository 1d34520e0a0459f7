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
  // Presents into the surface and expects the frame's indexes (the lookup
  // value of each index is the index itself) scaled by sx, sy from (left,
  // top), views one under the other.
  void ExpectPicture(MemorySurface& out, int32_t sx, int32_t sy, int32_t left, int32_t top, int views = 1,
                     bool both_lines = true) {
    SetWindowSurface(out.s);
    for (uint32_t i = 0; i < 256; i++) identity_[i] = i;
    colour_lookup = identity_;
    PresentFrame();
    for (int32_t y = 0; y < frame_height * views; y++)
      for (int32_t x = 0; x < frame_width; x++)
        for (int32_t dx = 0; dx < sx; dx++)
          for (int32_t dy = 0; dy < (both_lines ? sy : 1); dy++)
            out.Expect(left + x * sx + dx, top + y * sy + dy, FrameStart()[y * frame_width + x]);
    EXPECT_TRUE(out.block == out.expected);
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

// The picture is centred; pixels around it and row padding stay untouched.
TEST_F(PresentFrameTest, PictureIsCentredOnALargerSurface) {
  MemorySurface out(700, 500, 24, 13);
  window_scale = kPresentDouble;
  ExpectPicture(out, 2, 2, 30, 10);
  EXPECT_EQ(border, 10 * out.s.pitch + 30 * 3);
  EXPECT_EQ(second_line_offset, out.s.pitch);
}

TEST_F(PresentFrameTest, ScanlinesLeaveTheSecondLineOfEachPair) {
  MemorySurface out(640, 480, 8);
  window_scale = kPresentScanline;
  ExpectPicture(out, 2, 2, 0, 0, 1, false);
}

TEST_F(PresentFrameTest, TwoViewsStackWithTheirOwnBanks) {
  frame_view_count = 2;  // screen mode 2
  frame_height = 224;
  frame_buffer = FrameStart() + 224 * 320;  // where the second view's pass drew
  MemorySurface normal(320, 448, 8);
  ExpectPicture(normal, 1, 1, 0, 0, 2);
  frame_buffer = FrameStart();
  EXPECT_EQ(view_bytes, 224 * normal.s.pitch);
  full_screen = 1;  // both views stretched, whatever the scale
  window_scale = kPresentDouble;
  MemorySurface stretched(640, 480, 8);
  ExpectPicture(stretched, 2, 1, 0, 16, 2);
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
                        Case{640, 480, 320, kPresentDouble, 1}, Case{640, 480, 320, 4, 0},
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
