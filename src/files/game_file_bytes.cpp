#include "files/game_file_bytes.h"

#include "base/real_path.h"
#include "files/game_files.h"
#include "files/game_folder_guard.h"
#include "files/working_folder.h"

namespace tolv {

void ReadCurrentGameFile(std::vector<uint8_t>& out) {
  SeekGameFile(0, 2);
  uint32_t n = TellGameFile();
  RewindGameFile();
  out.resize(n);
  out.resize(ReadGameFileBlock(out.data(), n));
}

GameFileRead ReadGameFileBytes(const char* path, std::vector<uint8_t>& out, uint32_t max_size) {
  out.clear();
  if (!path || !OpenGameFile(path)) return GameFileRead::kMissing;
  SeekGameFile(0, 2);
  bool fits = TellGameFile() <= max_size;
  if (fits) ReadCurrentGameFile(out);
  CloseGameFile();
  return fits ? GameFileRead::kRead : GameFileRead::kTooLarge;
}

static bool Inside(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '/';
}

bool GameWritePath(const char* path, std::string* out) {
  if (game_folder.empty() || !path || !*path) return false;
  std::string p = path;
  if (p[0] == '/' || p[0] == '\\') p = game_folder + "/" + p;
  std::string target = ComposePath(p.c_str());
  if (!Inside(target, game_folder)) return false;
  // The folder it lands in, links resolved, must still be the game's; the
  // write guard checks the opened folder once more.
  const size_t cut = target.rfind('/');
  const std::string folder = RealPath(target.substr(0, cut));
  if (!InGameWriteArea(folder)) return false;
  *out = folder + target.substr(cut);
  return true;
}

}  // namespace tolv
