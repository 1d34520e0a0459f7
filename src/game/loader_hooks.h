// Loaders of other subsystems that game, zone and act loading call, as
// slots their owners fill; the defaults note in the message log that
// nothing was loaded.
#pragma once

namespace tolv {

// Font lists (scope 0 game, 1 zone, 2 act) and their unloads (drop 0 all,
// 1 zone and act, 2 act).
extern void (*load_font_list)(const char* name, int scope);
extern void (*free_fonts)(int drop);
// Screen-layout (stat object) definitions and their unloads.
extern void (*load_stat_obj_def)(const char* name, int scope);
extern void (*trim_stat_obj_defs)(int drop);

}  // namespace tolv
