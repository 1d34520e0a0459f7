#include <climits>
#include <cmath>

#include "script/angle_tables.h"
#include "script/vector_math.h"
#include "space_fixture.h"

namespace tolv {
namespace {

using AngleCommandsTest = SpaceFixture;

TEST(AngleTables, FollowTheirRules) {
  for (int i = 0; i <= 256; i++)
    ASSERT_EQ(atan_table[i], std::floor(std::atan(i / 256.0) * 128 / M_PI + 0.5)) << i;
  for (int i = 0; i < 256; i++) {
    int c = static_cast<int>(256 * std::cos(2 * M_PI * i / 256));
    int s = static_cast<int>(256 * std::sin(2 * M_PI * i / 256));
    if (i == 83 || i == 173) {
      EXPECT_EQ(c, -115);
      c = -117;
    }
    if (i == 147 || i == 237) {
      EXPECT_EQ(s, -115);
      s = -117;
    }
    ASSERT_EQ(cos_table[i], c) << i;
    ASSERT_EQ(sin_table[i], s) << i;
    ASSERT_EQ(cos_table[i], sin_table[i + 64]) << i;
  }
  for (int i = 256; i < 320; i++) {
    ASSERT_EQ(cos_table[i], cos_table[i - 256]) << i;
    ASSERT_EQ(sin_table[i], sin_table[i - 256]) << i;
  }
  EXPECT_EQ(cos_table[0], 256);
  EXPECT_EQ(cos_table[128], -256);
  EXPECT_EQ(cos_table[3], 255);
  EXPECT_EQ(cos_table[129], -255);
}

TEST(VectorMath, AnglesInAllQuadrants) {
  EXPECT_EQ(VectorAngle({0, 0}), 64);
  EXPECT_EQ(VectorAngle({5, 5}), 32);
  EXPECT_EQ(VectorAngle({-5, 5}), 96);
  EXPECT_EQ(VectorAngle({-5, -5}), 160);
  EXPECT_EQ(VectorAngle({5, -5}), 224);
  EXPECT_EQ(VectorAngle({100, -1}), 0);
  EXPECT_EQ(VectorAngle({7, 0}), 0);
  EXPECT_EQ(VectorAngle({0, 7}), 64);
  EXPECT_EQ(VectorAngle({-7, 0}), 128);
  EXPECT_EQ(VectorAngle({0, -7}), 192);
  EXPECT_EQ(VectorAngle({256, 100}), atan_table[100]);
  EXPECT_EQ(VectorAngle({-100, 256}), 128 - (64 - atan_table[100]));
  // Legs far beyond 2^23 keep their direction.
  EXPECT_EQ(VectorAngle({int64_t{INT_MAX} - INT_MIN, int64_t{INT_MAX} - INT_MIN}), 32);
  EXPECT_EQ(VectorAngle({-(int64_t{1} << 32) + 1, 1}), 128);
}

TEST(VectorMath, DistancesRoundTheFloatRoot) {
  EXPECT_EQ(VectorDistance({0, 0}), 0);
  EXPECT_EQ(VectorDistance({3, 4}), 5);
  EXPECT_EQ(VectorDistance({1, 1}), 1);
  EXPECT_EQ(VectorDistance({1, -2}), 2);
  EXPECT_EQ(VectorDistance({-2, 3}), 4);
  EXPECT_EQ(VectorDistance({5, 12}), 13);
  EXPECT_EQ(VectorDistance({7, 10}), 12);
  EXPECT_EQ(VectorDistance({46341, 0}), 46341);
  EXPECT_EQ(VectorDistance({int64_t{1} << 31, 1}), INT_MAX);
  EXPECT_EQ(VectorDistance({int64_t{INT_MAX} - INT_MIN, int64_t{INT_MAX} - INT_MIN}), INT_MAX);
  // The root 32768.49989 becomes the float 32768.5, which rounds up.
  EXPECT_EQ(VectorDistance({32768, 181}), 32769);
}

TEST(VectorMath, PolarComponents) {
  EXPECT_EQ(PolarComponent(cos_table, 256, 83), -117);
  EXPECT_EQ(PolarComponent(sin_table, 256, 83), 228);
  EXPECT_EQ(PolarComponent(cos_table, 100, 0), 100);
  EXPECT_EQ(PolarComponent(sin_table, 100, 64), 100);
  EXPECT_EQ(PolarComponent(cos_table, 100, 64), 0);
  EXPECT_EQ(PolarComponent(cos_table, -1, 0), -1);
  EXPECT_EQ(PolarComponent(cos_table, 10, 65), -1);
  EXPECT_EQ(PolarComponent(sin_table, 77, 300), PolarComponent(sin_table, 77, 44));
  // Outside the tables the angle wraps to one turn.
  EXPECT_EQ(PolarComponent(cos_table, 77, -1), PolarComponent(cos_table, 77, 255));
  EXPECT_EQ(PolarComponent(cos_table, 77, 320), PolarComponent(cos_table, 77, 64));
  EXPECT_EQ(PolarComponent(cos_table, INT_MAX, 0), (INT_MAX << 8) >> 8);
}

TEST_F(AngleCommandsTest, AngleAndDistanceReadPositionsAndWordPairs) {
  pa.player_vars[3] = 10, pa.player_vars[4] = 10;
  pb.player_vars[3] = 10, pb.player_vars[4] = 10;
  Run({387, kRegisterBit | 300});
  EXPECT_EQ(registers[300], 64);
  pb.player_vars[3] = 13, pb.player_vars[4] = 14;
  Run({393, kRegisterBit | 300});
  EXPECT_EQ(registers[300], 5);
  pa.player_vars[7] = 1, pa.player_vars[8] = -5, pa.player_vars[9] = 5;
  Run({391, kRegisterBit | 300});
  EXPECT_EQ(registers[300], 96);
  oa.vars[1] = 15, oa.vars[2] = 22;
  Run({394, kRegisterBit | 300});
  Run({395, kRegisterBit | 301});
  EXPECT_EQ(registers[300], 13);
  EXPECT_EQ(registers[301], 13);
}

TEST_F(AngleCommandsTest, PolarWritesXBeforeReadingForY) {
  registers[300] = 100;
  Run({409, kRegisterBit | 300, kRegisterBit | 301, kRegisterBit | 300, kRegisterBit | 302});
  EXPECT_EQ(registers[300], 100);  // angle 0: x = length
  EXPECT_EQ(registers[302], 0);
  registers[300] = 100, registers[301] = 32;
  Run({409, kRegisterBit | 300, kRegisterBit | 301, kRegisterBit | 300, kRegisterBit | 302});
  int32_t x = (cos_table[32] * 100) >> 8;
  EXPECT_EQ(registers[300], x);
  EXPECT_EQ(registers[302], (sin_table[32] * x) >> 8);
}

// Reference model of the ID tables, written out row by row.
struct LengthAngle {
  Kind length, angle;
};
constexpr LengthAngle kRows[16] = {
    {Kind::PA, Kind::PB}, {Kind::PA, Kind::OA}, {Kind::PA, Kind::R}, {Kind::PA, Kind::K},
    {Kind::OA, Kind::PA}, {Kind::OA, Kind::OB}, {Kind::OA, Kind::R}, {Kind::OA, Kind::K},
    {Kind::R, Kind::PA},  {Kind::R, Kind::OA},  {Kind::R, Kind::R},  {Kind::R, Kind::K},
    {Kind::K, Kind::PA},  {Kind::K, Kind::OA},  {Kind::K, Kind::R},  {Kind::K, Kind::K},
};
constexpr Kind kDst[3] = {Kind::R, Kind::PD, Kind::OD};

class AngleSweep : public SpaceFixture {
 protected:
  void SetUp() override {
    SpaceFixture::SetUp();
    uint32_t s = 1;
    auto next = [&] { return s = s * 1103515245u + 12345u, static_cast<int32_t>(s >> 16 & 511) - 128; };
    for (uint32_t i = 0; i < register_count; i++) registers[i] = next();
    for (auto& v : pv) for (auto& c : v) c = next();
    for (auto& v : ov) for (auto& c : v) c = next();
  }
  static int32_t Comp(const int16_t* t, int32_t len, int32_t ang) {
    int32_t a = ang >= 0 && ang < 320 ? ang : ang & 255;
    return static_cast<int32_t>(std::floor(t[a] * static_cast<double>(len) / 256));
  }
  Vector Source(int i) {
    Vector p[2] = {{pa.player_vars[3], pa.player_vars[4]}, {pb.player_vars[3], pb.player_vars[4]}};
    Vector o[2] = {{oa.vars[1], oa.vars[2]}, {ob.vars[1], ob.vars[2]}};
    Vector v[6] = {p[1] - p[0], o[0] - p[0], p[0] - o[0], o[1] - o[0],
                   {pa.player_vars[8], pa.player_vars[9]}, {oa.vars[9], oa.vars[10]}};
    return v[i];
  }
};

TEST_F(AngleSweep, EveryVariantReadsAndWritesItsKinds) {
  const uint16_t polar_first[3] = {399, 427, 455}, cos_first[3] = {853, 869, 885},
                 sin_first[3] = {901, 917, 933};
  for (int d = 0; d < 3; d++) {
    Kind dk = kDst[d];
    for (int r = 0; r < 16; r++) {
      Kind lk = kRows[r].length, ak = kRows[r].angle;
      uint32_t lw = Word(lk, lk == Kind::K ? 1000 : 11), aw = Word(ak, ak == Kind::K ? 300 : 12);
      uint32_t xw = Word(dk, 20), yw = Word(dk, 21);
      int32_t x = Comp(cos_table, Value(lk, lw), Value(ak, aw));
      int32_t y = Comp(sin_table, Value(lk, lw), Value(ak, aw));
      Check({uint32_t(polar_first[d] + r), lw, aw, xw, yw}, {{dk, xw, x}, {dk, yw, y}});
      Check({uint32_t(cos_first[d] + r), lw, aw, xw}, {{dk, xw, x}});
      Check({uint32_t(sin_first[d] + r), lw, aw, yw}, {{dk, yw, y}});
    }
  }
}

TEST_F(AngleSweep, EveryAngleAndDistanceVariantMeasuresItsSource) {
  const uint16_t angle_first[3] = {387, 415, 443}, dist_first[3] = {393, 421, 449};
  for (int d = 0; d < 3; d++) {
    for (int src = 0; src < 6; src++) {
      Vector v = Source(src);
      double len = std::sqrt(double(v.x * v.x + v.y * v.y));
      uint32_t w = Word(kDst[d], 13);
      Check({uint32_t(angle_first[d] + src), w}, {{kDst[d], w, VectorAngle(v)}});
      Check({uint32_t(dist_first[d] + src), w}, {{kDst[d], w, int32_t(std::floor(len + 0.5))}});
    }
  }
}

}  // namespace
}  // namespace tolv
