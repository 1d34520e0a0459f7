// The layer's notion of the current folder. Paths are composed against this
// string instead of trusting the process working folder, so a failed change
// of folder never leaves file opens silently elsewhere; the process folder
// follows it whenever the folder exists.
#pragma once
#include <string>

namespace tolv {

// Absolute path of the current folder, no trailing '/' (except "/").
const std::string& WorkingFolder();
// Makes path (absolute, or relative to the current folder) current when it
// names an existing folder: 1; otherwise nothing changes: 0.
int ChangeWorkingFolder(const char* path);
// Makes an absolute folder current even when it does not exist (the mirror
// of an archive folder); the process folder follows only when it exists.
void MirrorWorkingFolder(const std::string& path);

// path made absolute against the current folder, '\' turned into '/',
// "." and ".." folded lexically.
std::string ComposePath(const char* path);
std::string NormalizePath(const std::string& path);

// path with game_folder and the following '/' removed; "/" at the root;
// unchanged when it does not lie inside the game folder.
std::string StripGameFolderPrefix(const std::string& path);

// Splits "d:folder/name" into its parts; any output may be null. folder is
// "." when the path has no separator.
void SplitPath(const char* path, std::string* drive, std::string* folder, std::string* name);

}  // namespace tolv
