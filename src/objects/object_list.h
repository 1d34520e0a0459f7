// The debug listing of the active objects (Left Ctrl + Q in a game).
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// One line per active object, in list order.
std::string ObjectListText();
// Writes "objlist.txt" in the game folder (the current folder without a
// game); false, with a notice, when it cannot be written.
bool WriteObjectList();

}  // namespace tolv
