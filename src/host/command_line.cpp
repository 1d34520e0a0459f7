#include "host/command_line.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "base/message_log.h"
#include "files/archive_writer.h"
#include "files/folder_listing.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/game_packer.h"
#include "game/launch_options.h"

namespace tolv {

// A folder without game.def is not a game: "-pack default" would write an
// archive into the engine folder, and a game left with its archive only
// would lose it to an empty one.
static bool LacksGameDef(const char* name) {
  struct stat st;
  const std::string folder = ComposePath(name);
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         !(stat((folder + "/game.def").c_str(), &st) == 0 && S_ISREG(st.st_mode));
}

static int Pack(const char* name) {
  if (base_folder.empty()) base_folder = WorkingFolder();
  if (LacksGameDef(name)) {
    std::fprintf(stderr, "Packing refused: %s has no game.def, so it is not a game folder\n", name);
    return 1;
  }
  pack_folder_name = name;
  message_log_echo = true;  // links skipped
  const bool ok = PackGame();
  std::fputc('\n', stdout);  // after the dots
  if (!ok) std::fprintf(stderr, "Packing failed: %s\n", pack_error.c_str());
  else
    std::printf("Packed %u files, %llu bytes, into %s\n", pack_result.files,
                static_cast<unsigned long long>(pack_result.bytes), pack_result.path.c_str());
  return ok ? 0 : 1;
}

bool FindGameDescriptor(const std::string& name) {
  struct stat st;
  if (name.find('/') == std::string::npos && stat(("gdf/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
    return true;
  ListFolder("gdf", "*.gdf");
  std::string known;
  for (const std::string& n : folder_listing)
    if (n.back() != '/') known += " " + n;
  std::fprintf(stderr, "tolv: no game descriptor \"%s\" in gdf; descriptors there:%s\n", name.c_str(),
               known.empty() ? " none" : known.c_str());
  return false;
}

// Where "-pack" stands on the command line, 0 nowhere.
static int PackOption(int argc, char** argv) {
  for (int i = 1; i < argc; i++)
    if (std::strcmp(argv[i], "-pack") == 0) return i;
  return 0;
}

bool AsksForCommandLineTool(int argc, char** argv) { return PackOption(argc, argv) > 0; }

int RunCommandLineTools(int argc, char** argv) {
  if (const int i = PackOption(argc, argv)) {
    const char* name = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!name || name[0] == '-' || std::strlen(name) > kMaxPackFolderName) {
      ReportUninterpretable("-pack", "a game folder name of at most 49 characters", name);
      return 1;
    }
    return Pack(name);
  }
  return -1;
}

}  // namespace tolv
