// Commands that load and save the level file. The current-file operand
// names level_file_path for both.
#include "script/commands.h"
#include "script/path_operand.h"
#include "world/level.h"
#include "world/level_file.h"

namespace tolv {

static void CmdLoadLevelFile() {
  if (const char* path = PathOperand(Op(1), level_file_path.c_str())) LoadLevelFile(path);
}

static void CmdSaveLevelFile() {
  if (const char* path = PathOperand(Op(1), level_file_path.c_str())) SaveLevelFile(path);
}

static const CommandDef kLevelFileCommands[] = {
    TOLV_ALL(33, 0, CmdLoadLevelFile, "load level file"),  // compiled as a special form
    TOLV_ALL(1443, 2, CmdSaveLevelFile, "save level file"),
};

static const CommandDoc kLevelFileDocs[] = {
    {"load level file", CommandArea::kLevels, {"level file: a script string naming it, or c for the current one"},
     "Reads a level file (its tile planes) into the level, the path relative to the game folder; a packed "
     "game reads it from its archive. A missing file or an unknown version gives the default level and a "
     "damaged one keeps the old level, each with a message; a file that loads becomes the current one."},
    {"save level file", CommandArea::kLevels, {"level file: a script string naming it, or c for the current one"},
     "Writes the level's planes to a level file, the path relative to the game folder, and shows a message "
     "saying whether it was saved. A path outside the game folder is refused, and the default level never "
     "replaces a file that exists."},
};
extern const CommandList level_file_command_list = TOLV_DOCUMENTED(kLevelFileCommands, kLevelFileDocs);

}  // namespace tolv
