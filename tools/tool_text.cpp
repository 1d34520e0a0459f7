#include "tool_text.h"

#include <cstdio>
#include <cstdlib>

#include "base/atomic_file.h"
#include "files/game_files.h"
#include "files/working_folder.h"

namespace tolv {

bool TextDescription::Next(std::string& text) {
  while (std::getline(in, text)) {
    line++;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (!text.empty() && text[0] != ';') return true;
  }
  return false;
}

void TextDescription::Fail(const std::string& what) const {
  std::fprintf(stderr, "%s: %s line %d: %s\n", tool, path.c_str(), line, what.c_str());
  std::exit(1);
}

void OpenDescription(int argc, char** argv, const char* tool, const char* out_name, TextDescription& d) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s %s GAME_FOLDER DESCRIPTION\n", tool, out_name);
    std::exit(2);
  }
  d.tool = tool;
  d.path = argv[3];
  d.in.open(d.path);
  if (!d.in) {
    std::fprintf(stderr, "%s: no description %s\n", tool, d.path.c_str());
    std::exit(1);
  }
}

void UseGameFolder(const char* tool, const char* folder) {
  if (!ChangeWorkingFolder(folder)) {
    std::fprintf(stderr, "%s: no game folder %s\n", tool, folder);
    std::exit(1);
  }
  game_folder = WorkingFolder();
  game_unpacked = 1;
}

void SaveOrFail(const char* tool, const std::string& out, const void* data, size_t n) {
  if (SaveFileAtomically(out, data, n)) return;
  std::fprintf(stderr, "%s: %s not written\n", tool, out.c_str());
  std::exit(1);
}

}  // namespace tolv
