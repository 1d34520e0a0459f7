#include <climits>
#include <cmath>

#include "script/vector_math.h"
#include "space_fixture.h"

namespace tolv {
namespace {

TEST(AngleTables, FollowTheirRules) {
  for (int i = 0; i <= 256; i++)
    ASSERT_EQ(atan_table[i], std::floor(std::atan(i / 256.0) * 128 / M_PI + 0.5)) << i;
  for (int i = 0; i < 320; i++) {
    int c = int(256 * std::cos(2 * M_PI * (i & 255) / 256));
    int s = int(256 * std::sin(2 * M_PI * (i & 255) / 256));
    int ex = i & 255;
    bool cos_odd = ex == 83 || ex == 173, sin_odd = ex == 147 || ex == 237;
    EXPECT_EQ(cos_odd ? c : -115, -115) << i;
    EXPECT_EQ(sin_odd ? s : -115, -115) << i;
    ASSERT_EQ(cos_table[i], cos_odd ? -117 : c) << i;
    ASSERT_EQ(sin_table[i], sin_odd ? -117 : s) << i;
    ASSERT_EQ(cos_table[i & 255], sin_table[(i & 255) + 64]) << i;
  }
}

TEST(VectorMath, AnglesDistancesAndComponents) {
  const int64_t kFar = int64_t{INT_MAX} - INT_MIN;  // legs of 2^32 - 1
  struct { int64_t x, y; int angle, distance; } cases[] = {
      {0, 0, 64, 0},      {5, 5, 32, 7},         {-5, 5, 96, 7},    {-5, -5, 160, 7},
      {5, -5, 224, 7},    {100, -1, 0, 100},     {0, 7, 64, 7},     {0, -7, 192, 7},
      {-7, 0, 128, 7},    {3, 4, 38, 5},         {1, 1, 32, 1},     {1, -2, 211, 2},
      {-2, 3, 88, 4},     {5, 12, 48, 13},       {7, 10, 39, 12},   {kFar, kFar, 32, INT_MAX},
      {-kFar, 1, 128, INT_MAX}, {32768, 181, 0, 32769},  // float root 32768.5 rounds up
  };
  for (auto& c : cases) {
    EXPECT_EQ(VectorAngle({c.x, c.y}), c.angle) << c.x << "," << c.y;
    EXPECT_EQ(VectorDistance({c.x, c.y}), c.distance) << c.x << "," << c.y;
  }
  EXPECT_EQ(PolarComponent(cos_table, 256, 83), -117);
  EXPECT_EQ(PolarComponent(sin_table, 256, 83), 228);
  EXPECT_EQ(PolarComponent(cos_table, -1, 0), -1);
  EXPECT_EQ(PolarComponent(cos_table, 10, 65), -1);
  EXPECT_EQ(PolarComponent(sin_table, 77, 300), PolarComponent(sin_table, 77, 44));
  EXPECT_EQ(PolarComponent(cos_table, 77, -1), PolarComponent(cos_table, 77, 255));
  EXPECT_EQ(PolarComponent(cos_table, INT_MAX, 0), -256 >> 8);  // wraps in 32 bits
}

using AngleCommands = SpaceFixture;

TEST_F(AngleCommands, PolarWritesXBeforeReadingForY) {
  registers[300] = 100, registers[301] = 32;
  Run({409, kRegisterBit | 300, kRegisterBit | 301, kRegisterBit | 300, kRegisterBit | 302});
  int32_t x = (cos_table[32] * 100) >> 8;
  EXPECT_EQ(registers[300], x);
  EXPECT_EQ(registers[302], (sin_table[32] * x) >> 8);
}

// Reference model: the ID tables row by row.
constexpr Kind kDst[3] = {Kind::R, Kind::PD, Kind::OD};
constexpr Kind kRows[16][2] = {
    {Kind::PA, Kind::PB}, {Kind::PA, Kind::OA}, {Kind::PA, Kind::R}, {Kind::PA, Kind::K},
    {Kind::OA, Kind::PA}, {Kind::OA, Kind::OB}, {Kind::OA, Kind::R}, {Kind::OA, Kind::K},
    {Kind::R, Kind::PA},  {Kind::R, Kind::OA},  {Kind::R, Kind::R},  {Kind::R, Kind::K},
    {Kind::K, Kind::PA},  {Kind::K, Kind::OA},  {Kind::K, Kind::R},  {Kind::K, Kind::K},
};

int32_t ModelComponent(const int16_t* t, int32_t len, int32_t ang) {
  return int32_t(std::floor(t[ang >= 0 && ang < 320 ? ang : ang & 255] * double(len) / 256));
}

TEST_F(AngleCommands, EveryPolarAndComponentVariant) {
  Scramble();
  const uint16_t polar[3] = {399, 427, 455}, cos[3] = {853, 869, 885}, sin[3] = {901, 917, 933};
  for (int d = 0; d < 3; d++)
    for (int r = 0; r < 16; r++) {
      Kind lk = kRows[r][0], ak = kRows[r][1], dk = kDst[d];
      uint32_t lw = Word(lk, lk == Kind::K ? 1000 : 11), aw = Word(ak, ak == Kind::K ? 300 : 12);
      uint32_t xw = Word(dk, 20), yw = Word(dk, 21);
      int32_t x = ModelComponent(cos_table, Value(lk, lw), Value(ak, aw));
      int32_t y = ModelComponent(sin_table, Value(lk, lw), Value(ak, aw));
      Check({uint32_t(polar[d] + r), lw, aw, xw, yw}, {{dk, xw, x}, {dk, yw, y}});
      Check({uint32_t(cos[d] + r), lw, aw, xw}, {{dk, xw, x}});
      Check({uint32_t(sin[d] + r), lw, aw, yw}, {{dk, yw, y}});
    }
}

TEST_F(AngleCommands, EveryAngleAndDistanceVariant) {
  Scramble();
  Vector p[2] = {{pa.player_vars[3], pa.player_vars[4]}, {pb.player_vars[3], pb.player_vars[4]}};
  Vector o[2] = {{oa.vars[1], oa.vars[2]}, {ob.vars[1], ob.vars[2]}};
  Vector v[6] = {p[1] - p[0], o[0] - p[0], p[0] - o[0], o[1] - o[0],
                 {pa.player_vars[8], pa.player_vars[9]}, {oa.vars[9], oa.vars[10]}};
  const uint16_t angle[3] = {387, 415, 443}, distance[3] = {393, 421, 449};
  for (int d = 0; d < 3; d++)
    for (int src = 0; src < 6; src++) {
      uint32_t w = Word(kDst[d], 13);
      int32_t len = int32_t(std::floor(std::sqrt(double(v[src].x * v[src].x + v[src].y * v[src].y)) + 0.5));
      Check({uint32_t(angle[d] + src), w}, {{kDst[d], w, VectorAngle(v[src])}});
      Check({uint32_t(distance[d] + src), w}, {{kDst[d], w, len}});
    }
}

}  // namespace
}  // namespace tolv
