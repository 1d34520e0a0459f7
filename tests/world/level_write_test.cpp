#include <random>

#include "level_test_util.h"

namespace tolv::test {
namespace {

// Each file is read and written back; the bytes must come out as built.
TEST_F(LevelTest, Version3MapsAreWrittenInTheirShortestRuns) {
  Bytes one_id, runs;
  one_id.Head(3, 1).Plane(kPlaneFlat, 80, 60).U16(1).U16(0x8000 | 4798).U16(9).U16(340);
  // 200 x 200: a pair, the longest run and one cell more of the same id,
  // then the rest in one run.
  runs.Head(3, 1).Plane(kPlaneFlat, 200, 200).U16(0).U16(5).U16(5).U16(0xFFFF).U16(9).U16(9);
  runs.Run(200 * 200 - 32772, 0).U16(0);
  for (const Bytes* f : {&one_id, &runs}) {
    ASSERT_EQ(Read(*f), kLevelRead);
    EXPECT_EQ(Write(), f->b);
  }
  EXPECT_EQ(Cell(0, 171, 163), 9);  // cell 32771, the last of the nines
  EXPECT_EQ(Cell(0, 172, 163), 0);
}

TEST_F(LevelTest, TileIdsPastTheRunMarkerSaveAsVersion2) {
  Bytes f;
  f.Head(2, 1).Plane(kPlaneRelative, 80, 60).U16(80).U8(0).U16(60).U8(0).U16(0);
  for (int i = 0; i < 4800; i++) f.U16(i == 17 ? 40000 : i % 3);
  ASSERT_EQ(Read(f.U16(0)), kLevelRead);
  EXPECT_EQ(Cell(0, 17, 0), 40000);
  ByteWriter w;
  EXPECT_EQ(WriteLevelData(w, false), 2);
  EXPECT_EQ(w.bytes, f.b);
}

// Levels of every type, unknown types included, with random sizes, maps of
// runs, scroll data and flags.
void MakeRandomLevel(std::mt19937& rng) {
  auto any = [&](uint32_t lo, uint32_t hi) { return std::uniform_int_distribution<uint32_t>(lo, hi)(rng); };
  PlaneList list;
  for (uint8_t type : {0, 1, 2, 3, 4, 5, 9, 5, 2}) {
    TilePlane& p = *list.Add(type, any(80, 150), any(60, 120));
    p.flags = static_cast<uint16_t>(any(0, 65535));
    const uint32_t cells = p.width * p.height;
    for (uint32_t k = 0; k < cells;) {
      const uint32_t n = std::min(cells - k, any(1, 2) == 1 ? 1 : any(1, 40000)), id = any(0, 32767);
      for (uint32_t e = k + n; k < e; k++) p.map[k] = static_cast<uint16_t>(id);
    }
    if (type == kPlaneFlat || type > kPlaneVLined) continue;
    for (uint32_t i = 0; i < PlaneLineCount(type, p.width, p.height); i++) {
      p.line_wraps[i] = any(1, PlaneLineExtent(p));
      p.line_factors[i] = static_cast<uint8_t>(any(0, 255));
    }
    p.other_wrap = any(1, PlaneOtherExtent(p));
    p.other_factor = static_cast<uint8_t>(any(0, 255));
    if (!PlaneSplitsColumns(type)) p.cell_count = p.other_wrap * p.width;
  }
  SwapLevelPlanes(list);
  registers[kRegWaterLine] = static_cast<int32_t>(any(0, 65535));
}

TEST_F(LevelTest, RandomLevelsRoundTripByteIdentical) {
  std::mt19937 rng(18);
  for (int round = 0; round < 6; round++)
    for (bool embedded : {false, true}) {
      MakeRandomLevel(rng);
      const std::vector<PlaneModel> made = Model().planes;
      const std::vector<uint8_t> first = Write(embedded);
      ASSERT_EQ(Read(first, embedded), kLevelRead);
      EXPECT_EQ(Model().planes, made);
      EXPECT_EQ(Write(embedded), first);
    }
}

}  // namespace
}  // namespace tolv::test
