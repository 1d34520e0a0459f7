#include "render/editor_draw_routines.h"

#include "render/draw_routines.h"

namespace tolv {

void InstallEditorPlaneDrawers(FrameGeometry g) {
  if (g != k640x480 && g != k640x440) return;
  InstallPlaneDrawers(g, draw_routines);
  InstallPlaneDrawers(g, saved_draw_routines);
}

}  // namespace tolv
