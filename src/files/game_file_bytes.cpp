#include "files/game_file_bytes.h"

#include "base/real_path.h"
#include "files/game_files.h"
#include "files/game_folder_guard.h"
#include "files/working_folder.h"

namespace tolv {

bool ReadCurrentGameFile(std::vector<uint8_t>& out, uint64_t max_size) {
  out.clear();
  SeekGameFile(0, 2);
  const uint64_t n = TellGameFile();
  RewindGameFile();
  if (n > max_size || n > UINT32_MAX) return false;
  out.resize(n);
  out.resize(ReadGameFileBlock(out.data(), static_cast<uint32_t>(n)));
  return true;
}

GameFileRead ReadGameFileBytes(const char* path, std::vector<uint8_t>& out, uint64_t max_size) {
  out.clear();
  if (!path || !OpenGameFile(path)) return GameFileRead::kMissing;
  const bool fits = ReadCurrentGameFile(out, max_size);
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
