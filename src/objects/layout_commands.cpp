// Commands that load and save object layouts.
#include "objects/object_layout.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/string_slots.h"

namespace tolv {

constexpr uint32_t kCurrentFile = 0x7FFFFFFF;

// The path a string operand names: a slot (constant or register), or the
// current layout file; null when the slot does not exist.
static const char* LayoutPathOperand() {
  uint32_t word = Op(1);
  if (word == kCurrentFile) return layout_file_path.c_str();
  return StringSlotText(static_cast<uint32_t>(RegOrConst(word)));
}

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
