#include "host/command_line.h"

#include <cstdio>
#include <cstring>

#include "files/archive_writer.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/game_packer.h"

namespace tolv {

static int Uninterpretable() {
  std::fputs("Command-line has uninterpretable errors\n", stderr);
  return 1;
}

static int Pack(const char* name) {
  if (base_folder.empty()) base_folder = WorkingFolder();
  pack_folder_name = name;
  const bool ok = PackGame();
  std::fputc('\n', stdout);
  if (!ok) std::fprintf(stderr, "Packing failed: %s\n", pack_error.c_str());
  return ok ? 0 : 1;
}

int RunCommandLineTools(int argc, char** argv) {
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "-pack") != 0) continue;
    if (i + 1 >= argc || argv[i + 1][0] == '-' || std::strlen(argv[i + 1]) > kMaxPackFolderName)
      return Uninterpretable();
    return Pack(argv[i + 1]);
  }
  return -1;
}

}  // namespace tolv
