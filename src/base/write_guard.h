// The one guard in front of every file the engine writes. A write goes into
// a folder that is opened first and checked where it really lies; the file
// itself is then opened relative to that folder and never through a link,
// and a regular file with more than one link (a hard link to a file
// elsewhere) is never written.
#pragma once
#include <string>

namespace tolv {

// Whether the engine may write into the folder with this real path. Filled
// at start-up by the game file layer (the game folder); unset, any folder.
extern bool (*write_folder_allowed)(const std::string& real_folder);

// Opens the folder that path (absolute, or relative to the process folder)
// lies in and puts the last component into name; -1 when the folder cannot
// be opened or writes there are not allowed.
int OpenWriteFolder(const std::string& path, std::string* name);
// Whether name in folder may be replaced: absent, or anything but a
// regular file with more than one link.
bool MayReplace(int folder, const std::string& name);
// Opens name in folder for writing in place (O_WRONLY or O_RDWR, with
// O_CREAT and O_TRUNC as wanted): only a regular file with one link, never
// through a link, truncated only once that is known. -1 otherwise.
int OpenWriteTarget(int folder, const std::string& name, int flags);

}  // namespace tolv
