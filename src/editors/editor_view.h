// The editors' view: they draw into a 640x480 frame, the level editor's
// planes either over the whole of it or in the 640x440 view under its
// 32-row top bar. Entering an editor from the game keeps the game's screen
// mode and view registers aside; leaving puts them back.
#pragma once
#include <cstdint>

namespace tolv {

constexpr int32_t kEditorWidth = 640;
constexpr int32_t kEditorHeight = 480;
constexpr int32_t kTopBarRows = 32;     // above the 640x440 view
constexpr int32_t kBottomBarRows = 8;   // below it
constexpr int32_t kBarViewRows = 440;

// Non-zero: the level editor's large view shows its top and bottom bars.
extern uint8_t editor_top_bar;

// Whether the level editor draws its planes under the top bar.
bool TopBarShown();
// The 640x480 plane drawers with no top bar or on the object editor's
// screen, else the 640x440 ones.
void SelectEditorDrawRoutines();
// The editors' frame: the 640x480 screen mode (the game's own kept for
// LeaveEditor) and SelectEditorDrawRoutines.
void ApplyEditorView();

// Saves registers 23 to 50 before an editor first changes them after it
// was entered from the game (the level start may still set them between).
void TakeViewRegisters();

// From the game screen only: previous screen noted, the editor's view
// applied, the editor's screen made active.
void EnterLevelEditor();
// Back to the previous screen with the game's screen mode and registers
// 23 to 50 as they were.
void LeaveEditor();
// The top bar shown, no game frame or registers held.
void ResetEditorView();

}  // namespace tolv
