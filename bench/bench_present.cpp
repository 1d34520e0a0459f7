// Presenter speed: every member at 424x240 and 640x480 (and the scanline
// and stretch members, at 320x240), each filter, as source megapixels per
// second and as a ratio to memcpy of the bytes it writes, timed in the
// same run.
#include <cstring>
#include <random>
#include <vector>

#include "bench_harness.h"
#include "world/palette.h"
#include "render/present_lookup.h"
#include "render/presenters.h"

using namespace tolv;

namespace {

struct Worst {
  double ratio = 0;
  char what[96] = "";
};

const char* const kKindNames[] = {"normal", "double", "scanline", "stretch"};
const char* const kFilterNames[] = {"none", "tv-blur", "anti-alias"};

}  // namespace

int main() {
  std::mt19937 rng(7);
  std::vector<uint32_t> lookup(256);
  for (uint32_t& v : lookup) v = rng() & 0xFFFFFF;
  std::vector<uint8_t> frame(640 + 640 * 480 + 640);
  for (uint8_t& b : frame) b = uint8_t(rng());
  const uint8_t* source = frame.data() + 640;
  Worst worst, worst_none, worst_filtered;
  const int32_t geometries[][3] = {{424, 240, kPresentNormal}, {640, 480, kPresentNormal}, {320, 240, kPresentScanline}};
  const uint8_t depths[] = {8, 15, 16, 24, 32};
  for (const auto& g : geometries) {
    for (uint8_t depth : depths) {
      for (int kind = g[2]; kind <= kPresentStretch; kind++) {
        PresentRoutine present = FindPresenter(g[0], g[1], depth, PresentKind(kind));
        if (!present) continue;
        const int64_t bpp = SurfaceBytesPerPixel(depth);
        const int64_t width = g[0] * (kind == kPresentNormal ? 1 : 2);
        const int64_t rows = g[1] * (kind == kPresentDouble || kind == kPresentScanline ? 2 : 1);
        const int64_t pitch = width * bpp;
        const int64_t written = int64_t{g[0]} * g[1] * (kind == kPresentNormal ? 1 : kind == kPresentDouble ? 4 : 2) * bpp;
        std::vector<uint8_t> surface(pitch * rows), copy_from(written, 1);
        const uint64_t pixels = uint64_t(g[0]) * g[1];
        double copy_ns =
            bench::TimePerUnit([&] { std::memcpy(surface.data(), copy_from.data(), written); }, pixels, 5, 0.05);
        for (int f = kFilterNone; f <= (depth == 8 ? kFilterNone : kFilterAntiAlias); f++) {
          colour_lookup = lookup.data();
          filter = uint8_t(f);
          second_line_offset = pitch;
          double ns = bench::TimePerUnit(
              [&] {
                present_source = source;
                present_target = surface.data();
                present_target2 = surface.data() + pitch;
                present();
              },
              pixels, 5, 0.05);
          double ratio = ns / copy_ns;
          char what[96];
          std::snprintf(what, sizeof what, "%dx%d %d %s %s", g[0], g[1], depth, kKindNames[kind], kFilterNames[f]);
          std::printf("present: %d %s %s %.0f Mpx/s (%dx%d, memcpy ratio %.2f)\n", depth, kKindNames[kind],
                      kFilterNames[f], 1000.0 / ns, g[0], g[1], ratio);
          for (Worst* w : {&worst, f == kFilterNone ? &worst_none : &worst_filtered})
            if (ratio > w->ratio) {
              w->ratio = ratio;
              std::snprintf(w->what, sizeof w->what, "%s", what);
            }
        }
      }
    }
  }
  std::printf("presenters: lookups %s\n", vector_lookups ? "vector (AVX-512 VBMI byte permutes)" : "scalar");
  std::printf("presenters: worst ratio %.2f (%s; none worst %.2f at %s, target 2; filters worst %.2f at %s, target 4)\n",
              worst.ratio, worst.what, worst_none.ratio, worst_none.what, worst_filtered.ratio, worst_filtered.what);
  return 0;
}
