// Options the engine acts on before anything else starts (headless).
#pragma once
#include <string>

namespace tolv {

// Reads the command line; returns the process's exit status when an
// option ends the run ("-pack NAME" packs the game folder NAME of the
// working folder), or -1 to start the engine.
int RunCommandLineTools(int argc, char** argv);
// Whether the command line runs a tool ("-pack") instead of a game.
bool AsksForCommandLineTool(int argc, char** argv);

// Whether the descriptor gdf/name exists below the working folder; when
// not, says so in one line with the descriptors there are.
bool FindGameDescriptor(const std::string& name);

}  // namespace tolv
