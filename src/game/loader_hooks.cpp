#include "game/loader_hooks.h"

#include "host/message_log.h"

namespace tolv {

static void NoFonts(const char* name, int) {
  ShowMessage("Fonts are not loaded yet:");
  ShowMessage(name);
}
static void NoLayouts(const char* name, int) {
  ShowMessage("Screen layouts are not loaded yet:");
  ShowMessage(name);
}
static void NothingToFree(int) {}

void (*load_font_list)(const char* name, int scope) = NoFonts;
void (*free_fonts)(int drop) = NothingToFree;
void (*load_stat_obj_def)(const char* name, int scope) = NoLayouts;
void (*trim_stat_obj_defs)(int drop) = NothingToFree;

}  // namespace tolv
