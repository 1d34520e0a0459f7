#include "files/game_write_path.h"

#include "files/game_files.h"
#include "files/working_folder.h"

namespace tolv {

bool GameWritePath(const std::string& path, std::string* out) {
  if (game_folder.empty() || path.empty()) return false;
  std::string p = path;
  if (p[0] == '/' || p[0] == '\\') p = game_folder + "/" + p;
  *out = ComposePath(p.c_str());
  return out->size() > game_folder.size() + 1 && out->compare(0, game_folder.size(), game_folder) == 0 &&
         (*out)[game_folder.size()] == '/';
}

}  // namespace tolv
