// Reading sprite files from their whole bytes: every size and count is
// checked against what is left before anything is allocated.
#include <cstdlib>
#include <new>

#include "world/bit_packing.h"
#include "world/frame_fields.h"
#include "world/sprite_file.h"

namespace tolv {

namespace {

// Sprite-file fields after the pixels: i16 offsets, i32 boxes in the order
// left, right, top, bottom, u8 list lengths.
struct BinaryFrameSource {
  ByteReader& in;
  int16_t Offset() { return in.S16(); }
  int32_t Value() { return in.S32(); }
  Box NextBox() {
    Box b;
    b.left = in.S32();
    b.right = in.S32();
    b.top = in.S32();
    b.bottom = in.S32();
    return b;
  }
  uint8_t Count(const char*, uint32_t record_bytes) {
    uint8_t n = in.U8();
    return in.CanHold(n, record_bytes) ? n : 0;
  }
};

// Width, height, four offsets, a box and three list lengths.
constexpr uint32_t kSmallestFrame = 4 + 8 + 16 + 3;

bool ReadFrame(ByteReader& in, SpriteFrame* f, const uint8_t* table, uint32_t n, uint32_t bits, uint64_t* pixels_left) {
  uint32_t w = in.U16(), h = in.U16();
  const uint64_t area = uint64_t{w} * h;
  if (in.failed || area == 0 || area > *pixels_left) return false;
  *pixels_left -= area;
  if (!in.CanHold((area * bits + 7) / 8, 1)) return false;
  f->width = uint16_t(w);
  f->height = uint16_t(h);
  f->pixels = static_cast<uint8_t*>(std::malloc(size_t{w} * h));
  if (!f->pixels) throw std::bad_alloc();
  BitReader br{&in};
  for (uint32_t i = 0; i < w * h; i++) {
    uint32_t code = ReadBits(br, bits);
    f->pixels[i] = code < n ? table[code] : 0;
  }
  BinaryFrameSource src{in};
  ReadFrameFields(f, src);
  return !in.failed;
}

}  // namespace

uint32_t SpriteCodeBits(uint32_t n) {
  uint32_t bits = 0;
  for (; n; n >>= 1) bits++;
  return bits;
}

bool ReadSpriteSet(ByteReader& in, SpriteFrame* frames, uint16_t count, uint64_t* pixels_left) {
  uint8_t table[256];
  uint32_t n = in.U8();
  if (!in.Bytes(table, n)) return false;
  // The writer names at least one colour for any frame; frames of zero-bit
  // pixels would let a few bytes ask for gigabytes.
  if (n == 0 && count > 0) return false;
  uint32_t bits = SpriteCodeBits(n);
  for (uint32_t i = 0; i < count; i++)
    if (!ReadFrame(in, &frames[i], table, n, bits, pixels_left)) return false;
  return !in.failed;
}

void FreeSetFrames(SpriteSet& set) {
  for (uint32_t f = 0; set.frames && f < set.frame_count; f++) FreeSpriteFrame(&set.frames[f]);
  std::free(set.frames);
  set = SpriteSet{};
}

static bool ReadCountedSet(ByteReader& in, SpriteSet* set, uint64_t* pixels_left) {
  *set = SpriteSet{};
  uint16_t frame_count = in.U16();
  if (!in.CanHold(frame_count, kSmallestFrame)) return false;
  set->frames = static_cast<SpriteFrame*>(std::calloc(frame_count ? frame_count : 1, sizeof(SpriteFrame)));
  if (!set->frames) throw std::bad_alloc();
  set->frame_count = frame_count;
  if (ReadSpriteSet(in, set->frames, frame_count, pixels_left)) return true;
  FreeSetFrames(*set);
  return false;
}

bool ReadCountedSpriteSet(ByteReader& in, SpriteSet* set) {
  uint64_t pixels_left = kMaxSpriteFilePixels;
  return ReadCountedSet(in, set, &pixels_left);
}

bool ReadSpriteFile(ByteReader& in, std::vector<SpriteSet>& sets) {
  sets.clear();
  uint32_t set_count = in.U16();
  uint64_t pixels_left = kMaxSpriteFilePixels;
  bool ok = in.CanHold(set_count, 3);
  if (ok) sets.resize(set_count);
  for (uint32_t s = 0; ok && s < set_count; s++) ok = ReadCountedSet(in, &sets[s], &pixels_left);
  if (ok) return true;
  for (SpriteSet& set : sets) FreeSetFrames(set);
  sets.clear();
  return false;
}

}  // namespace tolv
