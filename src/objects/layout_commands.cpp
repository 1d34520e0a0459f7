// Commands that load and save object layouts.
#include "objects/object_layout.h"
#include "script/commands.h"
#include "script/path_operand.h"

namespace tolv {

static const char* LayoutPathOperand() { return PathOperand(Op(1), layout_file_path.c_str()); }

static void LoadLayoutCommand() {
  if (const char* path = LayoutPathOperand()) LoadObjectLayout(path);
}

static void SaveLayoutCommand() {
  if (const char* path = LayoutPathOperand()) SaveObjectLayout(path);
}

static const CommandDef kLayout[] = {
    TOLV_ALL(35, 0, LoadLayoutCommand, "load object layout"),  // compiled as a special form
    TOLV_ALL(1133, 2, SaveLayoutCommand, "save object layout"),
};

static const CommandDoc kLayoutDocs[] = {
    {"load object layout", CommandArea::kStates, {"layout file: script string, or c for the current one"},
     "Adds the objects of the object layout file to the running ones and makes it the current layout file. The "
     "whole file is checked first: one that cannot be opened or is not valid adds nothing and shows a message."},
    {"save object layout", CommandArea::kStates, {"layout file: script string, or c for the current one"},
     "Writes the running objects whose type is saved in layouts (flag S), with their variables, lanes and links, "
     "to the file in the game folder; a file that cannot be written shows a message."},
};
extern const CommandList layout_command_list = TOLV_DOCUMENTED(kLayout, kLayoutDocs);

}  // namespace tolv
