// Saved states: the running game in one file (level, tile set, objects,
// players, registers, global lanes, animation and palette state, sound
// channels and music), and back. Layout in docs/saved_states.md.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolv {

// What the hotkeys save to and load from: a file of the game root.
constexpr const char kStateFileName[] = "/state.sav";

// Writes the state to a file of the game folder (a leading '/' is the game
// root), replacing it only once written whole: "State Saved!".
bool SaveState(const char* path);
// Reads a state through the game file layer. The whole file is parsed and
// checked first: a state of another game, player count, register count or
// level, or a damaged one, changes nothing and posts why.
bool LoadState(const char* path);
// The same for the bytes of a state file.
bool LoadStateBytes(const uint8_t* data, size_t size);

// The window's two keys.
void SaveStateHotkey();
void LoadStateHotkey();

}  // namespace tolv
