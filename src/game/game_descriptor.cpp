// Game descriptors in the engine's "gdf" folder.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "base/message_log.h"
#include "files/file_stream.h"
#include "files/game_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/function_files.h"
#include "game/game_loading.h"

namespace tolv {

std::string game_display_name;
std::string game_name;
uint16_t launcher_menu_id = 0;

static std::string DescriptorFolder() { return base_folder + "/gdf"; }

static std::string Line(FileStream& s) {
  ReadScriptLine(s, text_buffer);
  return text_buffer;
}

static bool Readable(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Game folders and paths go to the log in pieces that fit its lines.
static void ShowLong(const std::string& text) {
  for (size_t i = 0; i < text.size(); i += 40) ShowMessage(text.substr(i, 40).c_str());
}

int OpenGame(const char* name) {
  ChangeWorkingFolder(DescriptorFolder().c_str());
  ScopedStream s;
  if (!OpenPlainStream(name, s)) ScriptErrorFormat("File \"%s\" not found", name);
  game_display_name = Line(s).substr(0, 40);
  std::string folder = Line(s);
  // A folder that is not there is still the one named: the checks below say so.
  const bool found = ChangeWorkingFolder(folder.c_str());
  game_name = folder.substr(0, 255);
  game_folder = (found ? WorkingFolder() : ComposePath(folder.c_str())).substr(0, 255);
  if (game_folder.size() > 1 && game_folder.back() == '/') game_folder.pop_back();
  if (OpenArchive((game_folder + "/game.tvp").c_str()) < 0) {
    ShowMessage("game.tvp is damaged:");  // the game runs from loose files
    ShowLong(archive_error);
  }
  std::srand(unsigned(std::time(nullptr)));
  ChangeWorkingFolder(DescriptorFolder().c_str());
  for (int i = 3; i <= 6; i++) Line(s);  // version, update host and path: the launcher's
  int32_t needs = ParseNumber(text_buffer);
  if (launcher_menu_id == 0 && needs > kEngineVersion) {
    char line[48];
    std::snprintf(line, sizeof line, "Game requires at least TOLV v %d", needs);
    ShowMessage(line);
    ChangeWorkingFolder(base_folder.c_str());
    return 0;
  }
  CloseStream(s);
  if (!ChangeWorkingFolder(game_folder.c_str())) {
    ChangeWorkingFolder(base_folder.c_str());
    ShowMessage("Game Folder not found:");
    ShowLong(game_folder);
    return 0;
  }
  if (!Readable(game_folder + "/game.def") && !Readable(game_folder + "/game.tvp")) {
    ShowMessage("game.def and game.tvp not found in:");
    ShowLong(game_folder);
    return 0;
  }
  ChangeWorkingFolder(base_folder.c_str());
  return 1;
}

}  // namespace tolv
