// The window icon of a game. Part of the window glue (GTK).
#pragma once
#include <gtk/gtk.h>

#include <string>

namespace tolv {

// The icon from the game folder's icon/icon.ico, an ICO, PNG or BMP of at
// most 256x256 pixels; when that file is there but is no such image, "icon/
// icon.ico is not a valid icon file" and, as when it is missing, the
// engine's default/icon/icon.ico.
void SetWindowIcon(GtkWindow* window, const std::string& game_folder);

}  // namespace tolv
