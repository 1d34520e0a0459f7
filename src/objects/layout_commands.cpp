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
extern const CommandList layout_command_list = TOLV_LIST(kLayout);

}  // namespace tolv
