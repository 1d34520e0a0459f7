// What the game maker's tools share: their calling form, the text
// description read line by line, and the one way they stop on bad input.
#pragma once
#include <fstream>
#include <string>

namespace tolv {

// A description read a line at a time; blank lines and lines starting
// with ';' are skipped, a Windows line end is taken off.
struct TextDescription {
  const char* tool = "";
  std::string path;
  std::ifstream in;
  int line = 0;  // of the line Next gave last

  bool Next(std::string& text);
  // "TOOL: PATH line N: what" on stderr, exit status 1.
  [[noreturn]] void Fail(const std::string& what) const;
};

// Checks the calling form "TOOL OUT FOLDER DESCRIPTION" (usage on stderr,
// exit status 2) and opens the description (exit status 1 without one).
void OpenDescription(int argc, char** argv, const char* tool, const char* out_name, TextDescription& d);

// FOLDER as the game folder the pictures are read from, through the game
// file layer like the engine's own loads; exit status 1 without it.
void UseGameFolder(const char* tool, const char* folder);

// Saves bytes through the engine's checked writer (a temporary file
// renamed into place); exit status 1 when that fails.
void SaveOrFail(const char* tool, const std::string& out, const void* data, size_t n);

}  // namespace tolv
