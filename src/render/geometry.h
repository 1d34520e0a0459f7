// Frame geometries and the per-geometry routine sets the screen modes
// install.
#pragma once
#include <cstdint>

#include "render/draw_routines.h"

namespace tolv {

// k640x440 is a view, not a screen mode: the level editor's planes under
// its top bar, drawn into the 640x480 frame (plane drawers only).
enum FrameGeometry : uint8_t { k320x224, k320x240, k640x480, k424x240, k640x440, kGeometryCount };

struct GeometrySize {
  int32_t width, height;
};
constexpr GeometrySize kGeometrySizes[kGeometryCount] = {{320, 224}, {320, 240}, {640, 480}, {424, 240}, {640, 440}};

// Calls fn.template operator()<W, H>() with the size of geometry g.
template <typename Fn>
void WithGeometry(FrameGeometry g, Fn fn) {
  switch (g) {
    case k320x224: return fn.template operator()<320, 224>();
    case k320x240: return fn.template operator()<320, 240>();
    case k640x480: return fn.template operator()<640, 480>();
    case k424x240: return fn.template operator()<424, 240>();
    default: return;
  }
}

// As WithGeometry, with the plane drawers' views: every geometry and the
// 640x440 view; fn.template operator()<W, R>() with R the rows filled.
template <typename Fn>
void WithViewGeometry(FrameGeometry g, Fn fn) {
  if (g == k640x440) return fn.template operator()<640, 440>();
  WithGeometry(g, fn);
}

// Fill the slots of one family with the members of geometry g.
void InstallBlitters(FrameGeometry g, DrawRoutines& r);     // tiles, sprites, clipped forms
void InstallLines(FrameGeometry g, DrawRoutines& r);        // clip_line and the three line slots
void InstallPlaneDrawers(FrameGeometry g, DrawRoutines& r);  // the twelve plane slots

}  // namespace tolv
