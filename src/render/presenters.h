// Presentation: the finished 8-bit frame converted into window-surface
// pixels, scaled by one of four kinds and filtered. One presenter exists
// per frame geometry, surface depth and kind; SelectPresenters puts four of
// them into the slots, PresentFrame calls the one window_scale names.
#pragma once
#include <cstddef>
#include <cstdint>

#include "render/surface.h"

namespace tolv {

// Slot order of present_routines; the first three are window_scale values.
enum PresentKind : uint8_t {
  kPresentNormal = 0,    // W x H
  kPresentDouble = 1,    // 2W x 2H, both lines of each pair
  kPresentScanline = 2,  // 2W x 2H, the second line of each pair left as it was
  kPresentStretch = 3,   // 2W x H
  kPresentNative = 4,    // filled with the 640x480 Normal member, never called
};
inline constexpr int kPresentSlots = 5;

enum PresentFilter : uint8_t { kFilterNone = 0, kFilterTvBlur = 1, kFilterAntiAlias = 2 };

// A presenter converts one view of frame_width x frame_height indexes from
// present_source through colour_lookup and leaves present_source just past
// it, so a second call converts the view stored below.
using PresentRoutine = void (*)();

extern PresentRoutine present_routines[kPresentSlots];
extern const uint8_t* present_source;
extern uint8_t* present_target;   // first surface pixel to write
extern uint8_t* present_target2;  // first pixel of the second line (Double)
extern ptrdiff_t second_line_offset;  // surface pitch: the presenters' row step
extern ptrdiff_t view_bytes;         // surface bytes between the two views' pictures
extern ptrdiff_t border;              // surface bytes before the picture's first pixel
extern uint8_t filter;              // PresentFilter; any other value writes nothing
extern uint8_t window_scale;        // 0 normal, 1 double, 2 scanlines
extern uint8_t full_screen;         // host setting: two views are then stretched
extern uint8_t surface_depth;       // 8, 15, 16, 24 or 32
extern Surface window_surface;

// Called last by PresentFrame; the host shows the surface (at depth 8 it
// sets the video palette from the current bank first).
extern void (*flip_surface)();

// The member for a geometry, depth and kind, or null where none is built
// (424x240 has Normal and Double only, 640x480 Normal only).
PresentRoutine FindPresenter(int32_t width, int32_t height, uint8_t depth, PresentKind kind);

// Fills the slots for the frame geometry and surface_depth. Geometries or
// depths without members get a presenter that writes nothing.
void SelectPresenters();
// The host's one call on a new or changed surface: stores it, repacks the
// palette for its format and reselects when the depth or masks changed.
void SetWindowSurface(const Surface& surface);
// The surface area PresentFrame fills for the frame geometry and
// window_scale (a geometry without the scale's kind takes its smaller
// one); false for a scale above 2.
bool PictureSize(int32_t* width, int32_t* height);
// Converts the frame (both views in screen mode 2) into window_surface,
// centred, then flips. The surface is cleared first when the picture's
// place, size or scale differs from the last one's (or the surface is new).
// A surface too small for the picture is not written.
void PresentFrame();

// Pixel format the colour lookup is packed in for a surface format: the
// surface's own, except that at depth 24 the presenters write bits 16-23
// first in memory, so the lowest and highest byte lanes trade places.
PixelFormat LookupPixelFormat(const PixelFormat& surface);

}  // namespace tolv
