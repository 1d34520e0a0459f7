// Plane drawers: every member (type x kind x view geometry) byte for byte
// against the per-pixel reference over random planes and offsets, the
// equivalences between types, the edge cases of the drawing rules, and
// bad planes and registers that must neither crash nor write outside.
#include <gtest/gtest.h>

#include "plane_fixture.h"
#include "plane_reference.h"
#include "render/draw_routines.h"
#include "render/geometry.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {
namespace {

constexpr FrameGeometry kViews[] = {k320x224, k320x240, k424x240, k640x480, k640x440};

PlaneRoutine Member(FrameGeometry g, uint8_t type, bool opaque) {
  DrawRoutines r{};
  InstallPlaneDrawers(g, r);
  return opaque ? r.draw_plane_opaque[type] : r.draw_plane[type];
}

class PlaneDrawers : public ::testing::Test {
 protected:
  void SetUp() override {
    if (register_count < kReservedRegisters) AllocRegisters(0);
    ResetRegisters();
  }
  void TearDown() override { FreePlane(plane); }
  // Draws with the member and with the reference over the same view; true
  // when the bytes and the canary agree.
  ::testing::AssertionResult Matches(FrameGeometry g, uint8_t type, bool opaque) {
    const GeometrySize size = kGeometrySizes[g];
    GuardedView view(size.width, size.height);
    std::vector<uint8_t> want = view.Copy();
    DrawPlaneReference(&plane, type, opaque, view.W, view.R, want.data());
    Member(g, type, opaque)(&plane);
    if (!view.CanaryIntact()) return ::testing::AssertionFailure() << "wrote outside the view";
    for (size_t i = 0; i < want.size(); i++)
      if (view.Start()[i] != want[i])
        return ::testing::AssertionFailure() << "pixel " << i % view.W << "," << i / view.W << " is "
                                             << int(view.Start()[i]) << ", reference " << int(want[i]);
    return ::testing::AssertionSuccess();
  }
  // Random camera, camera limits (inside the plane or not) and player.
  void RandomCamera(std::mt19937& rng) {
    auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
    registers[kRegPlayer] = pick(0, 5) ? pick(0, 1) : 7;
    registers[kRegCameraX] = RandomOffset(rng);
    registers[kRegCameraY] = RandomOffset(rng);
    registers[11] = pick(-100, 100);  // the lined drawers must not follow it
    const int32_t w = int32_t(plane.width) * 8, h = int32_t(plane.height) * 8;
    for (int p = 0; p < 2; p++) {
      bool inside = pick(0, 3) != 0;
      registers[23 + p] = inside ? pick(0, w - 1) : RandomOffset(rng);
      registers[25 + p] = inside ? pick(0, h - 1) : RandomOffset(rng);
      registers[27 + p] = inside ? pick(registers[23 + p] + 1, w) : RandomOffset(rng);
      registers[29 + p] = inside ? pick(registers[25 + p] + 1, h) : RandomOffset(rng);
    }
  }
  PlaneTiles tile_set;
  TilePlane plane{};
};

// 16 random planes and offset sets per member: 160 offset sets a type.
class EveryMember : public PlaneDrawers, public ::testing::WithParamInterface<int> {};

TEST_P(EveryMember, MatchesTheReference) {
  const uint8_t type = uint8_t(GetParam());
  std::mt19937 rng(1234 + type);
  for (FrameGeometry g : kViews)
    for (bool opaque : {false, true})
      for (int set = 0; set < 16; set++) {
        RandomPlane(plane, type, rng);
        RandomCamera(rng);
        ASSERT_TRUE(Matches(g, type, opaque))
            << "geometry " << int(g) << (opaque ? " opaque" : " transparent") << " set " << set << " plane "
            << plane.width << "x" << plane.height << " other " << plane.other_offset << "/" << plane.other_wrap
            << " line0 " << plane.line_offsets[0] << "/" << plane.line_wraps[0];
      }
}

INSTANTIATE_TEST_SUITE_P(Types, EveryMember, ::testing::Range(0, kPlaneTypes));

// Draws the plane with a member into a fresh view; the bytes drawn.
std::vector<uint8_t> Drawn(FrameGeometry g, uint8_t type, bool opaque, const TilePlane& p) {
  GuardedView view(kGeometrySizes[g].width, kGeometrySizes[g].height);
  Member(g, type, opaque)(&p);
  EXPECT_TRUE(view.CanaryIntact());
  return view.Copy();
}

// Uniform H Tiled = Relative; H Lined uniform over each tile row = H
// Tiled; V Lined uniform over each tile column = V Tiled.
TEST_F(PlaneDrawers, TypesThatMustDrawAlike) {
  std::mt19937 rng(77);
  TilePlane other{};
  for (int set = 0; set < 12; set++)
    for (FrameGeometry g : kViews)
      for (bool opaque : {false, true}) {
        SCOPED_TRACE(testing::Message() << "set " << set << " geometry " << int(g) << " opaque " << opaque);
        RandomPlane(plane, kPlaneHTiled, rng);
        const int32_t off = RandomOffset(rng);
        const uint32_t wrap = 1 + rng() % plane.width;
        for (uint32_t r = 0; r < plane.height; r++) plane.line_offsets[r] = off, plane.line_wraps[r] = wrap;
        CopyPlane(plane, other);
        SetPlaneType(other, kPlaneRelative);
        other.line_offsets[0] = off, other.line_wraps[0] = wrap, other.other_offset = plane.other_offset,
        other.other_wrap = plane.other_wrap;
        EXPECT_EQ(Drawn(g, kPlaneHTiled, opaque, plane), Drawn(g, kPlaneRelative, opaque, other));
        for (uint32_t r = 0; r < plane.height; r++)
          plane.line_offsets[r] = RandomOffset(rng), plane.line_wraps[r] = 1 + rng() % plane.width;
        SetPlaneType(other, kPlaneHLined);
        other.other_offset = plane.other_offset, other.other_wrap = plane.other_wrap;
        for (uint32_t l = 0; l < plane.height * 8; l++)
          other.line_offsets[l] = plane.line_offsets[l / 8], other.line_wraps[l] = plane.line_wraps[l / 8];
        EXPECT_EQ(Drawn(g, kPlaneHTiled, opaque, plane), Drawn(g, kPlaneHLined, opaque, other));
        RandomPlane(plane, kPlaneVTiled, rng);
        CopyPlane(plane, other);
        SetPlaneType(other, kPlaneVLined);
        other.other_offset = plane.other_offset, other.other_wrap = plane.other_wrap;
        for (uint32_t l = 0; l < plane.width * 8; l++)
          other.line_offsets[l] = plane.line_offsets[l / 8], other.line_wraps[l] = plane.line_wraps[l / 8];
        EXPECT_EQ(Drawn(g, kPlaneVTiled, opaque, plane), Drawn(g, kPlaneVLined, opaque, other));
      }
  FreePlane(other);
}

// Cell (col, row) of a 4 x 3 plane holds tile 1 + row * 4 + col.
void NumberedPlane(TilePlane& p, uint8_t type) {
  InitPlane(p, type, 4, 3);
  for (uint32_t i = 0; i < 12; i++) p.map[i] = uint16_t(1 + i);
}
uint8_t TilePixel(uint32_t id, int x, int y) { return tiles[id].current_frame[y * 8 + x]; }

// The drawing rules at fixed points (320x240 view unless said).
TEST_F(PlaneDrawers, RulesAtFixedPoints) {
  // Tile 0 only: the transparent kind keeps the view, the opaque kind
  // shows tiles[0] everywhere, its colour-0 pixels included.
  InitPlane(plane, kPlaneRelative, 4, 3);
  {
    GuardedView view(320, 240);
    std::vector<uint8_t> before = view.Copy();
    Member(k320x240, kPlaneRelative, false)(&plane);
    EXPECT_EQ(view.Copy(), before);
    Member(k320x240, kPlaneRelative, true)(&plane);
    for (int y = 0; y < 240; y += 7)
      for (int x = 0; x < 320; x += 5) ASSERT_EQ(view.Start()[y * 320 + x], TilePixel(0, x % 8, y % 8));
  }
  // ox = 3: frame column 0 shows pixel column 3 of cell 0, column 319
  // pixel column 2 of the 41st cell (cell 40, wrapped to column 0).
  NumberedPlane(plane, kPlaneRelative);
  plane.line_offsets[0] = 3;
  std::vector<uint8_t> v = Drawn(k320x240, kPlaneRelative, true, plane);
  EXPECT_EQ(v[0], TilePixel(1, 3, 0));
  EXPECT_EQ(v[319], TilePixel(1 + 40 % 4, 2, 0));
  // oy = -5 draws as oy = 3 x 8 - 5: the last tile row at frame rows -3..4.
  plane.other_offset = -5;
  std::vector<uint8_t> neg = Drawn(k320x240, kPlaneRelative, true, plane);
  plane.other_offset = 19;
  EXPECT_EQ(neg, Drawn(k320x240, kPlaneRelative, true, plane));
  EXPECT_EQ(neg[0], TilePixel(9, 3, 3));
  // Loaded with an other wrap of 2 rows, its cell count ends there: it is
  // drawn all the same, row 2 of the frame's tiles showing row 0 again.
  plane.other_offset = 0, plane.other_wrap = 2, plane.cell_count = 2 * 4;
  v = Drawn(k320x240, kPlaneRelative, true, plane);
  EXPECT_EQ(v[16 * 320], TilePixel(1, 3, 0));
  // Flat, left limit 0, camera x = -5: the window's last column at frame
  // columns -3..4, then its first.
  NumberedPlane(plane, kPlaneFlat);
  registers[27] = 32, registers[29] = 24, registers[kRegCameraX] = -5;
  v = Drawn(k320x240, kPlaneFlat, true, plane);
  EXPECT_EQ(v[0], TilePixel(4, 3, 0));
  EXPECT_EQ(v[4], TilePixel(4, 7, 0));
  EXPECT_EQ(v[5], TilePixel(1, 0, 0));
  // A Flat window of columns 1..2 repeats those two columns only.
  registers[23] = 8, registers[27] = 24, registers[kRegCameraX] = 0;
  v = Drawn(k320x240, kPlaneFlat, true, plane);
  EXPECT_EQ(v[0], TilePixel(3, 0, 0));  // camera column 0 wraps to column 2
  EXPECT_EQ(v[8], TilePixel(2, 0, 0));
  // V Tiled, ox = -3: the last tile column at frame columns -5..2.
  NumberedPlane(plane, kPlaneVTiled);
  plane.other_offset = -3;
  v = Drawn(k320x240, kPlaneVTiled, true, plane);
  EXPECT_EQ(v[0], TilePixel(4, 5, 0));
  EXPECT_EQ(v[3], TilePixel(1, 0, 0));
  // V Tiled column offsets 0, 8, 16, 24: each column a tile row further up.
  plane.other_offset = 0;
  for (int c = 0; c < 4; c++) plane.line_offsets[c] = 8 * c;
  v = Drawn(k320x240, kPlaneVTiled, true, plane);
  for (int c = 0; c < 4; c++) EXPECT_EQ(v[c * 8], TilePixel(1 + (c % 3) * 4 + c, 0, 0)) << c;
  // V Lined, ox = -1: column 0 shows pixel column 7 of the last tile
  // column, column 1 pixel column 0 of the first; oy & 7 = 3 shows rows
  // 3..7 of the first cell at frame rows 0..4.
  NumberedPlane(plane, kPlaneVLined);
  plane.other_offset = -1;
  for (int l = 0; l < 32; l++) plane.line_offsets[l] = 3;
  v = Drawn(k320x240, kPlaneVLined, true, plane);
  EXPECT_EQ(v[0], TilePixel(4, 7, 3));
  EXPECT_EQ(v[1], TilePixel(1, 0, 3));
  EXPECT_EQ(v[4 * 320 + 1], TilePixel(1, 0, 7));
  EXPECT_EQ(v[239 * 320 + 1], TilePixel(1 + 30 % 3 * 4, 0, 2));
  // H Lined wrap 2 repeats 16 pixels; offsets 0, 1, 2 shear line by line.
  NumberedPlane(plane, kPlaneHLined);
  for (int l = 0; l < 24; l++) plane.line_offsets[l] = l, plane.line_wraps[l] = 2;
  v = Drawn(k640x480, kPlaneHLined, true, plane);
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 640; x += 13) ASSERT_EQ(v[y * 640 + x], TilePixel(1 + (x + y) / 8 % 2, (x + y) % 8, y));
}

// Planes no drawer may read: nothing drawn, nothing outside touched.
TEST_F(PlaneDrawers, UnreadablePlanesDrawNothing) {
  NumberedPlane(plane, kPlaneHLined);
  TilePlane copy = plane;
  auto nothing = [&](const TilePlane* p, uint8_t type) {
    for (FrameGeometry g : kViews)
      for (bool opaque : {false, true}) {
        GuardedView view(kGeometrySizes[g].width, kGeometrySizes[g].height);
        std::vector<uint8_t> before = view.Copy();
        Member(g, type, opaque)(p);
        EXPECT_EQ(view.Copy(), before) << "type " << int(type) << " geometry " << int(g);
        EXPECT_TRUE(view.CanaryIntact());
      }
  };
  nothing(nullptr, kPlaneFlat);
  for (uint8_t t = 0; t < kPlaneTypes; t++)
    if (t != kPlaneHLined && t != kPlaneFlat) nothing(&plane, t);  // a plane of another type
  copy.map_cells = 11;  // a map smaller than its size
  nothing(&copy, kPlaneHLined);
  nothing(&copy, kPlaneFlat);
  copy = plane, copy.line_wraps = nullptr;
  nothing(&copy, kPlaneHLined);
  copy = plane, copy.width = 0;
  nothing(&copy, kPlaneFlat);
  copy = plane, copy.map = nullptr;
  nothing(&copy, kPlaneFlat);
}

// The column-walking drawer works from copies of the tiles it makes itself:
// few tiles are copied at once, many as they are first reached; a tile
// changed in place between two draws must show in the second.
TEST_F(PlaneDrawers, TileChangesShowInTheNextDraw) {
  std::mt19937 rng(77);
  for (uint16_t n : {40, 20000}) {
    PlaneTiles set(n);
    for (FrameGeometry g : kViews)
      for (bool opaque : {false, true}) {
        RandomPlane(plane, kPlaneVLined, rng);
        ASSERT_TRUE(Matches(g, kPlaneVLined, opaque)) << n << " tiles, geometry " << int(g);
        for (uint32_t i = 0; i < n; i++) {
          uint8_t* px = &set.pixels[size_t{i} * 64];
          for (uint32_t j = 0; j < 64; j++) px[j] = (i + j) % 7 == 0 ? 0 : uint8_t(px[j] % 250 + 5);
          set.set[i].opaque = !set.set[i].opaque;
        }
        ASSERT_TRUE(Matches(g, kPlaneVLined, opaque)) << n << " tiles changed, geometry " << int(g);
      }
  }
}

TEST_F(PlaneDrawers, SkipRoutineLeavesTheView) {
  NumberedPlane(plane, kPlaneRelative);
  GuardedView view(320, 240);
  std::vector<uint8_t> before = view.Copy();
  SkipPlaneDraw(&plane);
  EXPECT_EQ(view.Copy(), before);
}

}  // namespace
}  // namespace tolv::test
