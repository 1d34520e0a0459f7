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

static const CommandDoc kTileFileDocs[] = {
    {"load tile file", CommandArea::kLevels, {"tile-set file: a script string naming it, or c for the current one"},
     "Reads a tile-set file (tiles, their collision, palettes and stamps), the path relative to the game "
     "folder; a packed game reads it from its archive. A missing file leaves a blank tile set and a bad one "
     "keeps the old set, each with a message; a file that loads becomes the current one."},
    {"save tile file", CommandArea::kLevels, {"tile-set file: a script string naming it, or c for the current one"},
     "Writes the tile set to a tile-set file, the path relative to the game folder, and shows a message "
     "saying whether it was saved; a path outside the game folder is refused."},
};
extern const CommandList tile_file_command_list = TOLV_DOCUMENTED(kTileFileCommands, kTileFileDocs);

}  // namespace tolv
