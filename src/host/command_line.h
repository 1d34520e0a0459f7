// Options the engine acts on before anything else starts (headless).
#pragma once

namespace tolv {

// Reads the command line; returns the process's exit status when an
// option ends the run ("-pack NAME" packs the game folder NAME of the
// working folder), or -1 to start the engine.
int RunCommandLineTools(int argc, char** argv);

}  // namespace tolv
