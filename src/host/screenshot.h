// Screenshots: the frame area as an uncompressed colour-mapped TGA with
// palette bank 0, "sh%06d.tga" numbered by register 252.
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

// The TGA bytes of the frame area as it is now.
std::vector<uint8_t> FrameTga();
// Writes the next screenshot into the game folder (the working folder
// when no game is open) and counts register 252 on; a failed write posts
// a message and keeps the number.
bool TakeScreenshot();

}  // namespace tolv
