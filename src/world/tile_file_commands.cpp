// Commands that load and save the tile set.
#include "script/commands.h"
#include "script/path_operand.h"
#include "world/tile_file.h"

namespace tolv {

static const char* TilePathOperand() { return PathOperand(Op(1), tile_file_path.c_str()); }

static void CmdLoadTileFile() {
  if (const char* path = TilePathOperand()) LoadTileFile(path);
}

static void CmdSaveTileFile() {
  if (const char* path = TilePathOperand()) SaveTileFile(path);
}

static const CommandDef kTileFileCommands[] = {
    TOLV_ALL(34, 0, CmdLoadTileFile, "load tile file"),  // compiled as a special form
    TOLV_ALL(1444, 2, CmdSaveTileFile, "save tile file"),
};
extern const CommandList tile_file_command_list = TOLV_LIST(kTileFileCommands);

}  // namespace tolv
