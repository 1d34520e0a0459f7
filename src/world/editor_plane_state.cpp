#include "world/editor_plane_state.h"

#include <cstring>

namespace tolv {

uint8_t editor_current_plane = 0;
uint8_t plane_show_flags[kShownPlaneFlags] = {};

void ResetEditorPlaneState() {
  editor_current_plane = 0;
  std::memset(plane_show_flags, 0, sizeof plane_show_flags);
}

}  // namespace tolv
