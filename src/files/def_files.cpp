#include "files/def_files.h"

#include <cstring>

#include "files/game_files.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"

namespace tolv {

std::string CurrentGameFolderPath() {
  std::string rel = GetGameRelativeFolder();
  return !rel.empty() && rel[0] == '/' ? rel : "/" + rel;
}

int OpenFromOwnFolder(const char* path, FileStream& s) {
  std::string folder, name;
  SplitPath(path, nullptr, &folder, &name);
  return ChangeGameFolder(folder.c_str()) && OpenStream(name.c_str(), s);
}

void LoadListedFile(const char* path, void (*load)(const char*, int), int scope, const std::string& back) {
  if (std::strcmp(path, "NONE") == 0) return;
  std::string folder, name;
  SplitPath(path, nullptr, &folder, &name);
  // A folder that is not there: the loader reports the whole path missing.
  load(ChangeGameFolder(folder.c_str()) ? name.c_str() : path, scope);
  ChangeGameFolder(back.c_str());
}

int32_t ReadNumberToken(FileStream& s) {
  ReadToken(s, text_buffer);
  return ParseNumber(text_buffer);
}

void ReadPathToken(FileStream& s, char* out) {
  ReadToken(s, text_buffer);
  std::memcpy(out, text_buffer, kTokenSize);
  out[kTokenSize - 1] = 0;
}

}  // namespace tolv
