// Sprite file bytes built by hand from the layout: set count, frame count,
// colour table, then per frame its size, packed pixels and fields.
#include <random>

#include "sprite_test_util.h"
#include "world/sprite_file.h"

namespace tolv::test {
namespace {

TEST(SpriteFile, CodeBitsAreTheBitLengthOfTheColourCount) {
  const uint32_t counts[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {127, 7}, {128, 8}, {255, 8}};
  for (const auto& c : counts) EXPECT_EQ(SpriteCodeBits(c[0]), c[1]) << c[0] << " colours";
}

struct PackCase {
  const char* what;
  uint16_t width, height;
  std::vector<uint8_t> pixels, table, packed;
};

// A one-set, one-frame file around the given table and packed pixels.
std::vector<uint8_t> OneFrameFile(const PackCase& c, const FileFrameTail& tail) {
  ByteWriter b;
  b.U16(1);
  b.U16(1);
  b.U8(uint32_t(c.table.size()));
  b.Bytes(c.table.data(), c.table.size());
  b.U16(c.width);
  b.U16(c.height);
  b.Bytes(c.packed.data(), c.packed.size());
  tail.Put(b);
  return b.bytes;
}

TEST(SpriteFile, PixelsPackIntoTableCodesBothWays) {
  const std::vector<PackCase> cases = {
      {"three colours, B = 2", 4, 1, {9, 200, 5, 9}, {5, 9, 200}, {0x49}},
      {"3x3 in 18 bits", 3, 3, {1, 2, 3, 3, 2, 1, 1, 1, 3}, {1, 2, 3}, {0xA4, 0x01, 0x02}},
      {"one colour, B = 1", 3, 1, {7, 7, 7}, {7}, {0x00}},
      {"a code across two bytes, B = 3", 4, 1, {4, 3, 2, 1}, {1, 2, 3, 4}, {0x53, 0x00}},
      {"ten colours, B = 4", 10, 1, {90, 80, 70, 60, 50, 40, 30, 20, 10, 0}, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90},
       {0x89, 0x67, 0x45, 0x23, 0x01}},
  };
  FileFrameTail tail;
  tail.offsets[0] = -2;  // the x offset starts on the byte after the pixels
  tail.offsets[3] = 300;
  tail.box[1] = 12;
  tail.attack = {{1, 2, 3, 4}};
  tail.spots = {{-5, 6}};
  for (const PackCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<uint8_t> bytes = OneFrameFile(c, tail);
    ByteReader in(bytes.data(), bytes.size());
    std::vector<SpriteSet> sets;
    ASSERT_TRUE(ReadSpriteFile(in, sets));
    ASSERT_EQ(sets.size(), 1u);
    const SpriteFrame& f = sets[0].frames[0];
    EXPECT_EQ(std::vector<uint8_t>(f.pixels, f.pixels + c.pixels.size()), c.pixels);
    EXPECT_EQ(f.draw_x, -2);
    EXPECT_EQ(f.flip_draw_y, 300);
    EXPECT_EQ(f.box.right, 12);
    ASSERT_EQ(f.attack_count, 1);
    EXPECT_EQ(f.attack_boxes[0].bottom, 4);
    EXPECT_EQ(f.mirrored_hotspots[0].x, c.width - 1 - 2 + 5);
    EXPECT_EQ(in.Left(), 0u);
    ByteWriter out;
    std::string why;
    const SpriteSet* set = &sets[0];
    ASSERT_TRUE(BuildSpriteFile(out, &set, 1, &why));
    EXPECT_EQ(out.bytes, bytes);
    FreeSetFrames(sets[0]);
  }
}

TEST(SpriteFile, CodesPastTheTableReadAsColour0) {
  // Three colours in two bits: code 3 names none.
  const std::vector<uint8_t> bytes = OneFrameFile({"", 2, 1, {}, {5, 9, 200}, {0x0E}}, {});
  ByteReader in(bytes.data(), bytes.size());
  std::vector<SpriteSet> sets;
  ASSERT_TRUE(ReadSpriteFile(in, sets));
  EXPECT_EQ(sets[0].frames[0].pixels[0], 200);
  EXPECT_EQ(sets[0].frames[0].pixels[1], 0);
  FreeSetFrames(sets[0]);
}

TEST(SpriteFile, MalformedBodiesAreRefused) {
  struct Bad {
    const char* what;
    uint16_t width, height;
    std::vector<uint8_t> packed;
    uint8_t hurt_count;
    uint8_t colours = 1;
  };
  const std::vector<Bad> cases = {
      {"width 0", 0, 1, {0}, 0},
      {"height 0", 1, 0, {0}, 0},
      {"more pixels than a file may hold", 65535, 4097, std::vector<uint8_t>(65535u * 4097 / 8 + 1), 0},
      {"pixels cut short", 16, 16, {0, 0}, 0},
      {"more hurt boxes than bytes", 1, 1, {0}, 200},
      {"frames without colours", 4096, 4096, {}, 0, 0},
  };
  for (const Bad& c : cases) {
    ByteWriter b;
    b.U16(1);
    b.U16(1);
    b.U8(c.colours);
    if (c.colours) b.U8(4);
    b.U16(c.width);
    b.U16(c.height);
    b.Bytes(c.packed.data(), c.packed.size());
    for (int i = 0; i < 4 * 2 + 4 * 4 + 1; i++) b.U8(0);
    b.U8(c.hurt_count);
    b.U8(0);
    ByteReader in(b.bytes.data(), b.bytes.size());
    std::vector<SpriteSet> sets;
    EXPECT_FALSE(ReadSpriteFile(in, sets)) << c.what;
    EXPECT_TRUE(sets.empty());
  }
}

TEST(SpriteFile, SidesUpTo65535ReadAndWriteBack) {
  for (auto [w, h] : {std::pair<uint16_t, uint16_t>{5000, 1}, {65535, 2}, {1, 65535}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const std::vector<uint8_t> packed((size_t{w} * h + 7) / 8, 0);  // one colour: a bit a pixel
    const std::vector<uint8_t> bytes = OneFrameFile({"", w, h, {}, {7}, packed}, {});
    ByteReader in(bytes.data(), bytes.size());
    std::vector<SpriteSet> sets;
    ASSERT_TRUE(ReadSpriteFile(in, sets));
    const SpriteFrame& f = sets[0].frames[0];
    ASSERT_EQ(f.width, w);
    ASSERT_EQ(f.height, h);
    EXPECT_EQ(f.pixels[size_t{w} * h - 1], 7);
    ByteWriter out;
    std::string why;
    const SpriteSet* set = &sets[0];
    EXPECT_TRUE(BuildSpriteFile(out, &set, 1, &why)) << why;
    EXPECT_EQ(out.bytes, bytes);
    FreeSetFrames(sets[0]);
  }
  // A set past the pixel cap is refused before any pixel is written.
  SpriteFrame big{};
  big.width = 65535;
  big.height = 4097;
  SpriteSet set{&big, 1};
  const SpriteSet* p = &set;
  ByteWriter out;
  std::string why;
  EXPECT_FALSE(BuildSpriteFile(out, &p, 1, &why));
  EXPECT_EQ(why, "Set 0 frame 0: more than 268435456 pixels in the file");
}

// Random sets: sizes, colour counts from 1 to 255, offsets, boxes, spots.
std::vector<SpriteSet> RandomSets(std::mt19937& rng, int count) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::vector<SpriteSet> sets(static_cast<size_t>(count));
  for (SpriteSet& set : sets) {
    int colours = pick(1, 255), base = pick(0, 255 - colours);
    set.frame_count = uint16_t(pick(0, 4));
    set.frames = static_cast<SpriteFrame*>(std::calloc(set.frame_count + 1, sizeof(SpriteFrame)));
    for (int i = 0; i < set.frame_count; i++) {
      SpriteFrame& f = set.frames[i];
      InitSpriteFrame(&f, pick(1, 40), pick(1, 40));
      f.pixels = static_cast<uint8_t*>(std::malloc(size_t(f.width) * f.height));
      for (int p = 0; p < f.width * f.height; p++) f.pixels[p] = uint8_t(base + pick(0, colours - 1));
      f.draw_x = int16_t(pick(-32768, 32767));
      f.flip_draw_y = int16_t(pick(-32768, 32767));
      f.box = Box{pick(INT32_MIN, INT32_MAX), pick(-9, 9), pick(-9, 9), pick(-9, 9)};
      f.attack_count = uint8_t(pick(0, 3));
      f.attack_boxes = static_cast<Box*>(std::calloc(f.attack_count + 1, sizeof(Box)));
      for (int k = 0; k < f.attack_count; k++) f.attack_boxes[k] = Box{pick(-50, 50), pick(-50, 50), 0, pick(-50, 50)};
      f.hotspot_count = uint8_t(pick(0, 2));
      f.hotspots = static_cast<HotSpot*>(std::calloc(f.hotspot_count + 1, sizeof(HotSpot)));
      for (int k = 0; k < f.hotspot_count; k++) f.hotspots[k] = HotSpot{pick(-50, 50), pick(-50, 50)};
      MirrorFrameBoxes(&f);
    }
  }
  return sets;
}

std::vector<uint8_t> Build(const std::vector<SpriteSet>& sets) {
  std::vector<const SpriteSet*> p;
  for (const SpriteSet& s : sets) p.push_back(&s);
  ByteWriter out;
  std::string why;
  EXPECT_TRUE(BuildSpriteFile(out, p.data(), uint32_t(p.size()), &why)) << why;
  return out.bytes;
}

TEST(SpriteFile, WriteReadWriteGivesTheSameBytes) {
  std::mt19937 rng(19);
  for (int round = 0; round < 40; round++) {
    std::vector<SpriteSet> sets = RandomSets(rng, round % 5);
    const std::vector<uint8_t> first = Build(sets);
    ByteReader in(first.data(), first.size());
    std::vector<SpriteSet> back;
    ASSERT_TRUE(ReadSpriteFile(in, back));
    ASSERT_EQ(back.size(), sets.size());
    for (size_t s = 0; s < sets.size(); s++)
      for (int i = 0; i < sets[s].frame_count; i++) {
        const SpriteFrame &a = sets[s].frames[i], &b = back[s].frames[i];
        EXPECT_TRUE(SamePicture(a, b, "round_trip"));
        EXPECT_EQ(std::memcmp(&a.mirrored_box, &b.mirrored_box, sizeof(Box)), 0);
        for (int k = 0; k < a.hotspot_count; k++) EXPECT_EQ(a.mirrored_hotspots[k].y, b.mirrored_hotspots[k].y);
      }
    EXPECT_EQ(Build(back), first);
    for (SpriteSet& s : sets) FreeSetFrames(s);
    for (SpriteSet& s : back) FreeSetFrames(s);
  }
}

}  // namespace
}  // namespace tolv::test
