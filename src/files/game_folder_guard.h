// Confinement of game file reads and engine writes. A game reads only its
// own folder and the engine folder "default"; the engine writes only into
// the game folder. Both are judged by where a file or folder really lies,
// links resolved, so a link inside a game cannot reach elsewhere.
#pragma once
#include <cstdio>
#include <string>

namespace tolv {

// Whether a real path lies in the game folder (or, for reads, in the engine
// folder "default" below base_folder). With no game folder set, anywhere.
bool InGameReadArea(const std::string& real_path);
bool InGameWriteArea(const std::string& real_folder);

// Opens path (absolute) for reading: a regular file within the read area,
// else null, exactly as for a file that does not exist.
FILE* OpenConfinedFile(const std::string& path);

// Makes every engine write (the write guard of base/) keep to the game
// folder.
void InstallGameWriteGuard();

}  // namespace tolv
