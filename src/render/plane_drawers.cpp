#include "render/plane_drawers.h"

namespace tolv {

// Every geometry, the editors' 640x440 view included, has its own members.
void InstallPlaneDrawers(FrameGeometry g, DrawRoutines& r) {
  InstallGridPlaneDrawers(g, r);
  InstallHLinedPlaneDrawers(g, r);
  InstallVLinedPlaneDrawers(g, r);
}

}  // namespace tolv
