// The window tests' start: a copy of the sample's base (engine folder,
// sample, its descriptor) in a new temporary folder, the
// host window open and the engine started there.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "editors/editor_state.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/headless.h"
#include "host/window.h"
#include "../game/sample_game_fixture.h"

namespace tolv::test {

// The copy's folder, the base folder now ("" when something failed).
inline std::string OpenWindowOnGames() {
  char tmpl[] = "/tmp/tolv_window_XXXXXX";
  if (!mkdtemp(tmpl)) return "";
  CopySampleBase(TOLV_GAMES, tmpl);
  int argc = 1;
  char name[] = "test_host_window";
  char* args[] = {name, nullptr};
  char** argv = args;
  if (!OpenHostWindow(&argc, &argv) || ChangeWorkingFolder(tmpl) != 1) return "";
  base_folder = tmpl;
  StartHeadlessEngine();
  StartEditors();
  return tmpl;
}

}  // namespace tolv::test
