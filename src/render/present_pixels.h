// Per-depth colour sizes and the presentation filters. A fraction of a
// packed colour is one shift and one mask that keeps each channel's own top
// bits, so no bit crosses into the neighbouring channel; the masks depend
// only on the field widths, so they serve both channel orders of a depth.
#pragma once
#include <cstdint>
#include <type_traits>

#include "render/presenters.h"

namespace tolv {

// Bytes per pixel and the masks of value / 2, / 4 and / 8 at a depth
// (15: 5-5-5, 16: 5-6-5, 24 and 32: 8-8-8).
template <int D> struct PixelDepth {
  static constexpr int kBytes = D == 32 ? 4 : D == 24 ? 3 : 2;
  static constexpr uint32_t kHalf = D == 15 ? 0x3def : D == 16 ? 0x7bef : 0x7f7f7f;
  static constexpr uint32_t kQuarter = D == 15 ? 0x3ce7 : D == 16 ? 0x39e7 : 0x3f3f3f;
  static constexpr uint32_t kEighth = D == 15 ? 0x0c63 : D == 16 ? 0x18e3 : 0x1f1f1f;
};

template <int D> inline uint32_t Half(uint32_t v) { return (v >> 1) & PixelDepth<D>::kHalf; }
template <int D> inline uint32_t Quarter(uint32_t v) { return (v >> 2) & PixelDepth<D>::kQuarter; }
template <int D> inline uint32_t Eighth(uint32_t v) { return (v >> 3) & PixelDepth<D>::kEighth; }

// Converted colours: 16 bits suffice at depths 15 and 16 (no mask keeps a
// bit that comes from above bit 15), which doubles the lanes per vector.
template <int D> using Colour = std::conditional_t<(D <= 16), uint16_t, uint32_t>;

// Output of one source pixel: a, b the left and right pixel of the first
// line, c, d those of the second (Double only; Normal uses a alone).
template <int D> struct PixelQuad {
  Colour<D> a, b, c, d;
};

// m the source pixel's colour, l and r its left and right neighbours, u and
// dn the pixels a source row above and below. Every weight set sums to 1.
template <int D, PresentKind K, PresentFilter F>
inline PixelQuad<D> FilterPixel(Colour<D> m, Colour<D> l, Colour<D> r, Colour<D> u, Colour<D> dn) {
  using C = Colour<D>;
  if constexpr (F == kFilterNone) {
    return {m, m, m, m};
  } else if constexpr (F == kFilterTvBlur) {
    C v = C(Half<D>(m) + Quarter<D>(l) + Quarter<D>(r));
    return {v, v, v, v};
  } else if constexpr (K == kPresentNormal) {
    C v = C(Half<D>(m) + Eighth<D>(l) + Eighth<D>(r) + Eighth<D>(u) + Eighth<D>(dn));
    return {v, v, v, v};
  } else if constexpr (K == kPresentStretch) {
    C base = C(Half<D>(m) + Eighth<D>(m) + Eighth<D>(u) + Eighth<D>(dn));
    return {C(base + Eighth<D>(l)), C(base + Eighth<D>(r)), 0, 0};
  } else if constexpr (K == kPresentScanline || D == 15) {
    C base = C(Half<D>(m) + Eighth<D>(u) + Eighth<D>(dn));
    C left = C(base + Quarter<D>(l)), right = C(base + Quarter<D>(r));
    return {left, right, left, right};
  } else {
    // Double: each of the four leans toward the neighbours on its own side.
    C h = C(Half<D>(m)), ql = C(Quarter<D>(l)), qr = C(Quarter<D>(r)), qu = C(Quarter<D>(u)), qd = C(Quarter<D>(dn));
    return {C(h + ql + qu), C(h + qr + qu), C(h + ql + qd), C(h + qr + qd)};
  }
}

// Whether a Double member's two lines are equal, so the second is a copy.
template <int D, PresentFilter F> inline constexpr bool kSameLines = F != kFilterAntiAlias || D == 15;

}  // namespace tolv
