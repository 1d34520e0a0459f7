// The window's menu bar: File (game select, exit) and Video (the scale and
// filter of the presentation). Part of the window glue (GTK).
#pragma once
#include <gtk/gtk.h>

namespace tolv {

// Builds the menu bar, its accelerators shown in the window's accelerator
// group, with the Video entries showing window_scale and filter.
GtkWidget* BuildWindowMenu(GtkWidget* window);
// Drops the menu's item factory (its widgets go with the window).
void DropWindowMenu();

}  // namespace tolv
