// Def files of a game folder: streams that close themselves, files opened
// from their own folder, and the number and path tokens loaders read.
#pragma once
#include <cstdint>
#include <string>

#include "files/file_stream.h"

namespace tolv {

// A def stream that is closed when it goes out of scope, so an archive
// member never stays open behind a fatal error.
struct ScopedStream : FileStream {
  ~ScopedStream() { CloseStream(*this); }
};

// The current folder as a game-root path ("/", "/zone01/objs"), to make it
// current again later with ChangeGameFolder.
std::string CurrentGameFolderPath();

// Opens `path` relative to the current folder from its own folder (the
// folder is made current): 1, or 0 when it cannot be opened.
int OpenFromOwnFolder(const char* path, FileStream& s);

// A file a definition file lists: unless the path is "NONE", its folder is
// made current, load(name, scope) reads it, and `back` is made current again.
void LoadListedFile(const char* path, void (*load)(const char*, int), int scope, const std::string& back);

// Reads a count token (parsed number) from a def stream.
int32_t ReadNumberToken(FileStream& s);
// Reads a path token into out (kTokenSize bytes).
void ReadPathToken(FileStream& s, char* out);

}  // namespace tolv
