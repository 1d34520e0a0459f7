// Whole game files as bytes, and where a save may go. Binary loaders read
// a file whole (loose or archive member alike) and parse it with ByteReader;
// savers write only inside the game folder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// The current game file whole, from its first byte, when it holds at most
// max_size bytes; false, with nothing read, when it holds more.
bool ReadCurrentGameFile(std::vector<uint8_t>& out, uint64_t max_size);

enum class GameFileRead { kRead, kMissing, kTooLarge };
// Opens path through the game file layer and reads it whole; a file of
// more than max_size bytes is not read.
GameFileRead ReadGameFileBytes(const char* path, std::vector<uint8_t>& out, uint64_t max_size);

// The file a save of path writes: a leading separator is the game root,
// anything else the current folder. False when that lies outside the game
// folder (lexically or through a linked folder).
bool GameWritePath(const char* path, std::string* out);

}  // namespace tolv
