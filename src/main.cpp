// tolv: the engine's entry point.
#include <cstdio>

#include "host/command_line.h"
#include "host/engine_init.h"

int main(int argc, char** argv) {
  tolv::InitEngine();
  if (int status = tolv::RunCommandLineTools(argc, argv); status >= 0) return status;
  std::printf(
      "TOLV engine: the script machine is initialised.\n"
      "This build cannot load or show a game yet: the window, renderer and\n"
      "game loader are not part of it. Run `make check` to exercise what is built.\n");
  return 0;
}
