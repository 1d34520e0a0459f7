// Where the engine may write a file a game names: a leading separator is
// the game root, anything else the current folder, and the result must lie
// inside the game folder.
#pragma once
#include <string>

namespace tolv {

// False for an empty path, no game folder, or a path that leaves it.
bool GameWritePath(const std::string& path, std::string* out);

}  // namespace tolv
