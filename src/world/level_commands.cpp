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
extern const CommandList level_file_command_list = TOLV_LIST(kLevelFileCommands);

}  // namespace tolv
