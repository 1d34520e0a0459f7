// The level editor's per-plane state that every level load clears and
// plane scrolling reads in the editor screen.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint32_t kShownPlaneFlags = 16;

extern uint8_t editor_current_plane;  // the plane being edited
// Non-zero shows that plane in the editor besides the current one.
extern uint8_t plane_show_flags[kShownPlaneFlags];

// Only the first 16 planes have a flag; the others are never shown.
inline bool PlaneShownInEditor(uint32_t plane) { return plane < kShownPlaneFlags && plane_show_flags[plane]; }

void ResetEditorPlaneState();

}  // namespace tolv
