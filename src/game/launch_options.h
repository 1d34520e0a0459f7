// Command-line values that game loading and the level start read.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// "-warp zone act char1 char2 views": served by the first LoadGame.
struct WarpRequest {
  uint8_t active = 0;
  int32_t zone = 0, act = 0, character1 = 0, character2 = 0, views = 1;
};
// "-regs n i v ...": index with bit 31 set names user register i.
struct RegisterAssignment {
  uint32_t index = 0;
  int32_t value = 0;
};

extern WarpRequest warp_request;
extern std::vector<RegisterAssignment> register_assignments;
extern uint8_t open_level_editor;  // "-editor": cleared by the first StartLevel
extern std::string game_descriptor;  // "-game NAME", else "default.gdf"
extern std::string tile_file_option; // "-tilefile PATH": loaded once the game has started
extern std::string level_file_option;  // "-levelfile PATH": likewise

// Reads the options; false with a message on stderr for a malformed one.
bool ReadLaunchOptions(int argc, char** argv);
// "Command-line has uninterpretable errors", then the argument that went
// wrong and what was expected: "tolv: OPTION: expected WHAT, got "ARG""
// (no option: a word that is none; no argument: "got nothing").
void ReportUninterpretable(const char* option, const std::string& what, const char* arg);
// Loads the files the options name, from the game root, once the game runs.
void LoadCommandLineFiles();

}  // namespace tolv
