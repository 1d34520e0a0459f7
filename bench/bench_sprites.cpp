// Sprite file speed: a generated set of 200 frames of 64 x 64 in 40 colours
// (6-bit codes) read from and built into memory, in MB of file a second,
// beside memcpy of the same bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_harness.h"
#include "world/sprite_file.h"

using namespace tolv;

static SpriteSet MakeSet() {
  SpriteSet set;
  set.frame_count = 200;
  set.frames = static_cast<SpriteFrame*>(std::calloc(set.frame_count, sizeof(SpriteFrame)));
  uint32_t seed = 19;
  for (int i = 0; i < set.frame_count; i++) {
    SpriteFrame& f = set.frames[i];
    InitSpriteFrame(&f, 64, 64);
    InitFrameOffsets(&f);
    f.pixels = static_cast<uint8_t*>(std::malloc(64 * 64));
    for (int p = 0; p < 64 * 64; p++) {
      seed = seed * 1103515245u + 12345u;
      f.pixels[p] = uint8_t(16 + (seed >> 16) % 40);
    }
    MirrorFrameBoxes(&f);
  }
  return set;
}

int main() {
  SpriteSet set = MakeSet();
  const SpriteSet* sets = &set;
  ByteWriter file;
  std::string why;
  if (!BuildSpriteFile(file, &sets, 1, &why)) return std::fprintf(stderr, "spritefile: %s\n", why.c_str()), 1;
  const size_t n = file.Size();
  double read_ns = bench::TimePerUnit(
      [&] {
        ByteReader in(file.bytes.data(), n);
        std::vector<SpriteSet> back;
        if (!ReadSpriteFile(in, back)) std::abort();
        for (SpriteSet& s : back) FreeSetFrames(s);
      },
      n);
  double write_ns = bench::TimePerUnit(
      [&] {
        ByteWriter out;
        out.bytes.reserve(n);
        BuildSpriteFile(out, &sets, 1, &why);
      },
      n);
  std::vector<uint8_t> copy(n);
  double copy_ns = bench::TimePerUnit([&] { std::memcpy(copy.data(), file.bytes.data(), n); }, n);
  std::printf("spritefile: %.0f MB/s read, %.0f MB/s write (%.0f KB file; memcpy %.0f MB/s, ratios %.3f and %.3f)\n",
              1e3 / read_ns, 1e3 / write_ns, n / 1e3, 1e3 / copy_ns, copy_ns / read_ns, copy_ns / write_ns);
  FreeSetFrames(set);
  return 0;
}
