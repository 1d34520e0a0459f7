// Presenter selection and the frame presentation: where on the surface
// each view's picture goes, and which palette bank converts it.
#include <cstddef>
#include <cstring>

#include "render/frame.h"
#include "world/palette.h"
#include "render/presenters.h"

namespace tolv {

static void PresentNothing() {}
static void FlipNothing() {}

PresentRoutine present_routines[kPresentSlots] = {PresentNothing, PresentNothing, PresentNothing, PresentNothing,
                                                  PresentNothing};
ptrdiff_t view_bytes = 0;
ptrdiff_t border = 0;
uint8_t window_scale = kPresentNormal;
uint8_t full_screen = 0;
Surface window_surface;
void (*flip_surface)() = FlipNothing;

// What the slots were filled for.
static int32_t selected_width = -1, selected_height = -1;
static uint8_t selected_depth = 0;
static bool selected_any = false;
static bool surface_known = false;

// Where the last picture went, and how. What a picture leaves uncovered
// (around it, and the second rows of scanlines) is never written, so it is
// cleared once whenever that changes: else the last larger picture stays.
struct Placement {
  const uint8_t* pixels;
  int32_t pitch, width, height;
  ptrdiff_t border;
  int64_t picture_width, picture_height;
  PresentKind kind;  // a scanline picture leaves rows a picture of another kind covers
  bool operator==(const Placement&) const = default;
};
static Placement shown{};

static void ClearSurface(const Surface& s) {
  for (int32_t y = 0; y < s.height; y++)
    std::memset(s.pixels + ptrdiff_t{y} * s.pitch, 0, size_t(s.width) * SurfaceBytesPerPixel(s.format.depth));
}

// A slot whose kind the geometry lacks takes the next smaller picture:
// scanline falls back to Double, the rest to Normal.
static PresentKind SmallerKind(PresentKind k) { return k == kPresentScanline ? kPresentDouble : kPresentNormal; }

// The kind of member a slot gets for the frame geometry and surface depth.
static PresentKind SlotKind(PresentKind kind) {
  while (kind != kPresentNormal && !FindPresenter(frame_width, frame_height, surface_depth, kind))
    kind = SmallerKind(kind);
  return kind;
}

void SelectPresenters() {
  selected_width = frame_width;
  selected_height = frame_height;
  selected_depth = surface_depth;
  selected_any = false;
  for (int slot = kPresentNormal; slot <= kPresentStretch; slot++) {
    const PresentKind kind = SlotKind(PresentKind(slot));
    PresentRoutine r = FindPresenter(frame_width, frame_height, surface_depth, kind);
    present_routines[slot] = r ? r : PresentNothing;
    selected_any = selected_any || r;
  }
  PresentRoutine native = FindPresenter(640, 480, surface_depth, kPresentNormal);
  present_routines[kPresentNative] = native ? native : PresentNothing;
}

PixelFormat LookupPixelFormat(const PixelFormat& surface) {
  if (surface.depth != 24) return surface;
  auto swap = [](uint32_t m) { return (m & 0xFF00FF00u) | (m & 0xFFu) << 16 | (m >> 16 & 0xFFu); };
  PixelFormat f = surface;
  f.red_mask = swap(f.red_mask);
  f.green_mask = swap(f.green_mask);
  f.blue_mask = swap(f.blue_mask);
  return f;
}

void SetWindowSurface(const Surface& surface) {
  const PixelFormat& a = window_surface.format;
  const PixelFormat& b = surface.format;
  bool same = surface_known && a.depth == b.depth && a.red_mask == b.red_mask && a.green_mask == b.green_mask &&
              a.blue_mask == b.blue_mask;
  window_surface = surface;
  surface_known = true;
  shown = Placement{};
  if (same) return;
  surface_depth = b.depth;
  SetPalettePixelFormat(LookupPixelFormat(b));
  SelectPresenters();
}

// The slot window_scale (or two stretched views) calls and the area its
// picture takes; false when the scale names no slot.
struct Picture {
  int slot;
  PresentKind kind;  // of the member the slot holds
  int views;
  int64_t width, view_rows;
};

static bool PictureFor(Picture& p) {
  const bool two_views = frame_view_count == 2;  // screen mode 2
  const bool stretched = two_views && full_screen;
  if (!stretched && window_scale > kPresentScanline) return false;
  p.slot = stretched ? int{kPresentStretch} : int{window_scale};
  p.kind = SlotKind(PresentKind(p.slot));
  p.views = two_views ? 2 : 1;
  p.width = int64_t{frame_width} * (p.kind == kPresentNormal ? 1 : 2);
  p.view_rows = int64_t{frame_height} * (p.kind == kPresentDouble || p.kind == kPresentScanline ? 2 : 1);
  return true;
}

bool PictureSize(int32_t* width, int32_t* height) {
  Picture p;
  if (!PictureFor(p)) return false;
  *width = int32_t(p.width);
  *height = int32_t(p.view_rows * p.views);
  return true;
}

void PresentFrame() {
  if (frame_width != selected_width || frame_height != selected_height || surface_depth != selected_depth)
    SelectPresenters();
  const Surface& s = window_surface;
  const int64_t bpp = SurfaceBytesPerPixel(s.format.depth);
  if (!selected_any || !s.pixels || s.format.depth != surface_depth || s.pitch < s.width * bpp) return;
  Picture p;
  if (!PictureFor(p) || s.width < p.width || s.height < p.view_rows * p.views) return;
  // The picture is centred; every cursor is counted from the surface origin.
  second_line_offset = s.pitch;
  view_bytes = p.view_rows * s.pitch;
  border = (s.height - p.view_rows * p.views) / 2 * s.pitch + (s.width - p.width) / 2 * bpp;
  const Placement place{s.pixels, s.pitch, s.width, s.height, border, p.width, p.view_rows * p.views, p.kind};
  if (place != shown) ClearSurface(s);
  shown = place;
  if (p.views == 2) SelectPaletteBank(0);
  present_source = FrameStart();  // the frame area, wherever the last pass left frame_buffer
  for (int v = 0; v < p.views; v++) {
    // At depth 8 the indexes are copied and the video palette shows bank 0.
    if (v == 1 && surface_depth != 8) SelectPaletteBank(1);
    present_target = s.pixels + border + v * view_bytes;
    present_target2 = present_target + second_line_offset;
    present_routines[p.slot]();
  }
  flip_surface();
}

}  // namespace tolv
