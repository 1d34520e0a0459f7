// The launcher's entries: the game list, pack, delete and the update
// check. Pack and delete act on a folder named by its last path component
// relative to the base folder, so they first make sure that the component
// names the descriptor's very folder and that it is a game's: nothing
// outside the base folder's game folders is ever packed over or deleted.
#include <sys/stat.h>

#include <cctype>
#include <string>

#include "base/message_log.h"
#include "base/real_path.h"
#include "files/archive_writer.h"
#include "files/def_files.h"
#include "files/file_stream.h"
#include "files/folder_listing.h"
#include "files/game_files.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/game_loading.h"
#include "game/game_packer.h"
#include "host/download_client.h"
#include "host/launcher.h"

namespace tolv {

std::vector<LauncherGame> launcher_games;
std::string launcher_status;

static std::string DescriptorFolder() { return base_folder + "/gdf"; }

static void Status(const std::string& text) {
  launcher_status = text.substr(0, kMessageWidth);
  ShowMessageLines(text.c_str());
}

static bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first n ':' values of a text, read as the tokenizer reads them (a
// value runs from its ':' to the line's end or a ';'), but without its
// faults, which end the process: descriptors and the update server's
// answer may be damaged or hostile, and cost a message at most. Fewer than
// n values when the text ends first or a line of another type comes.
static std::vector<std::string> ParameterLines(FileStream& s, size_t n) {
  std::vector<std::string> values;
  char line[1024];
  while (values.size() < n && !IsStreamEnd(s)) {
    if (ReadStreamLine(line, sizeof line, s) == sizeof line - 1)
      while (!IsStreamEnd(s) && ReadStreamChar(s) != '\n') {
      }
    std::string text = line;
    text = text.substr(0, text.find(';'));
    const size_t type = text.find_first_of("#:~@.");
    if (type == std::string::npos) continue;
    if (text[type] != ':') break;
    const size_t a = text.find_first_not_of(" \t\r", type + 1), b = text.find_last_not_of(" \t\r");
    values.push_back(a == std::string::npos ? "" : text.substr(a, b - a + 1));
    if (values.back().size() >= kTokenSize) break;
  }
  return values;
}

static std::vector<std::string> DescriptorLines(const std::string& descriptor, size_t n) {
  const std::string path = DescriptorFolder() + "/" + descriptor;
  struct stat st;
  ScopedStream s;
  // Past the text bound the stream's open ends the process.
  if (stat(path.c_str(), &st) != 0 || static_cast<uint64_t>(st.st_size) > kMaxTextFileBytes) return {};
  if (!OpenPlainStream(path.c_str(), s)) return {};
  return ParameterLines(s, n);
}

constexpr size_t kDescriptorLines = 6;

bool LauncherDescriptorUsable(const std::string& descriptor) {
  if (descriptor.empty() || descriptor.find_first_of("/\\") != std::string::npos ||
      !IsRegularFile(DescriptorFolder() + "/" + descriptor)) {
    Status("Game descriptor not found: " + descriptor);
    return false;
  }
  const std::vector<std::string> lines = DescriptorLines(descriptor, kDescriptorLines);
  if (lines.size() < kDescriptorLines || lines.back().size() >= kTokenSize) {
    Status("Game descriptor damaged: " + descriptor);
    return false;
  }
  return true;
}

void ListGames() {
  launcher_games.clear();
  ListFolder(DescriptorFolder().c_str(), "*");
  FilterFolderListing("*.gdf");
  for (const std::string& name : folder_listing) {
    if (name.back() == '/' || !IsRegularFile(DescriptorFolder() + "/" + name)) continue;
    std::vector<std::string> lines = DescriptorLines(name, 1);
    std::string title = lines.empty() || lines[0].empty() ? name : lines[0].substr(0, kMessageWidth);
    launcher_games.push_back({name, title});
  }
}

// The descriptor's game folder as one name of the base folder, or "" (with
// the reason shown) when it is not a real game folder there.
static std::string ReachGameFolder(const std::string& descriptor) {
  if (!LauncherDescriptorUsable(descriptor)) return "";
  const uint16_t menu = launcher_menu_id;
  launcher_menu_id = kLauncherGameMenu;  // only the folder is wanted: no version check
  OpenGame(descriptor.c_str());
  launcher_menu_id = menu;
  CloseArchive();
  ChangeWorkingFolder(base_folder.c_str());
  const std::string folder = game_folder;
  const std::string name = folder.substr(folder.find_last_of('/') + 1);
  struct stat st;
  const bool usable = !name.empty() && name[0] != '.' && name != "default" && name != "gdf" &&
                      lstat((base_folder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
                      !RealPath(base_folder).empty() && RealPath(folder) == RealPath(base_folder) + "/" + name;
  if (!usable) Status("Not a game folder of " + base_folder + ": " + folder);
  return usable ? name : "";
}

bool LauncherPackGame(const std::string& descriptor) {
  const std::string name = ReachGameFolder(descriptor);
  if (name.empty()) return false;
  // A game kept as its archive alone would lose it to an empty one.
  if (!IsRegularFile(base_folder + "/" + name + "/game.def")) {
    Status("Packing refused: " + name + " has no game.def");
    return false;
  }
  pack_folder_name = name;
  const bool ok = PackGame();
  ChangeWorkingFolder(base_folder.c_str());
  Status(ok ? "Game files packed to game.tvp" : "Packing failed: " + pack_error);
  return ok;
}

bool LauncherDeleteGame(const std::string& descriptor) {
  const std::string name = ReachGameFolder(descriptor);
  if (name.empty()) return false;
  // A descriptor can name any folder of the base folder: only a game's goes.
  const std::string folder = base_folder + "/" + name;
  if (!IsRegularFile(folder + "/game.def") && !IsRegularFile(folder + "/game.tvp")) {
    Status("Not deleted, no game.def or game.tvp: " + name);
    return false;
  }
  pack_folder_name = name;
  const int left = DeleteGameFolder();
  ChangeWorkingFolder(base_folder.c_str());
  Status(left == 0 ? "Game folder deleted: " + name : "Game folder not wholly deleted: " + name);
  return left == 0;
}

static bool ParseVersion(const std::string& text, int64_t& out) {
  if (text.empty() || text.size() > 9) return false;
  out = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    out = out * 10 + (c - '0');
  }
  return true;
}

// The server's version file is read like a descriptor: one ':' line.
static bool ServerVersion(FileStream& body, int64_t& version) {
  const std::vector<std::string> lines = ParameterLines(body, 1);
  return !lines.empty() && ParseVersion(lines[0], version);
}

static constexpr uint32_t kVersionCheckTimeoutMs = 5000;
static constexpr uint32_t kVersionFileBytes = 4096;

bool LauncherCheckUpdate(const std::string& descriptor) {
  if (!LauncherDescriptorUsable(descriptor)) return false;
  const std::vector<std::string> lines = DescriptorLines(descriptor, 5);
  if (lines.size() < 5 || lines[3] == "NONE") {
    Status("This game has no update server");
    return false;
  }
  int64_t have = 0, server = 0;
  ParseVersion(lines[2], have);
  const size_t colon = lines[3].find(':');
  const std::string host = lines[3].substr(0, colon);
  const std::string port = colon == std::string::npos ? "80" : lines[3].substr(colon + 1);
  FileStream body;
  DownloadLimits limits;
  limits.timeout_ms = kVersionCheckTimeoutMs;
  limits.max_body_bytes = kVersionFileBytes;
  if (!DownloadFile(host.c_str(), port.c_str(), lines[4].c_str(), body, limits)) {
    Status("Update check failed: " + download_error);
    return false;
  }
  if (!ServerVersion(body, server)) {
    Status("Update check: no version in the answer");
    return false;
  }
  Status(server > have ? "Update available: version " + std::to_string(server)
                       : "Game is up to date (version " + std::to_string(have) + ")");
  return true;
}

}  // namespace tolv
