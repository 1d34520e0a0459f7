#include "game/archive_reader.h"

#include "game/game_files.h"

namespace tolv {

std::string virtual_folder = "/";
std::string archive_error;

int OpenArchive(const char*) {
  game_unpacked = 1;
  reading_loose_file = 1;
  return 0;
}
void CloseArchive() {}
int FindArchiveMember(const char*, uint32_t*, uint32_t*) { return 0; }
int ReadArchiveByte(uint32_t) { return -1; }
int EnterArchivePath(const char*) { return 0; }
int ChangeGameFolder(const char*) { return 0; }
int ReturnToGameRoot() { return ChangeGameFolder("/"); }

}  // namespace tolv
