// Icons are read as game files are (a regular file within the game's read
// area: a FIFO or a link out of the game is no icon) and decoded from
// memory, so a bad one can neither block nor reach outside.
#include "host/window_icon.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/message_log.h"
#include "files/game_folder_guard.h"

namespace tolv {

constexpr size_t kMaxIconBytes = size_t{4} << 20;

// False when the file cannot be opened.
static bool ReadIcon(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* f = OpenConfinedFile(path);
  if (!f) return false;
  bytes.resize(kMaxIconBytes + 1);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  return true;
}

// The image, or null when the bytes are none that gdk-pixbuf reads.
static GdkPixbuf* DecodeIcon(const std::vector<uint8_t>& bytes) {
  if (bytes.empty() || bytes.size() > kMaxIconBytes) return nullptr;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  const bool written = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);  // always: the loader wants it
  GdkPixbuf* icon = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  if (icon) g_object_ref(icon);
  g_object_unref(loader);
  return icon;
}

void SetWindowIcon(GtkWindow* window, const std::string& game_folder) {
  std::vector<uint8_t> bytes;
  GdkPixbuf* icon = nullptr;
  if (ReadIcon(game_folder + "/icon/icon.ico", bytes) && !(icon = DecodeIcon(bytes)))
    ShowMessage("icon/icon.ico is not a valid icon file");
  if (!icon && ReadIcon(game_folder + "/../default/icon/icon.ico", bytes)) icon = DecodeIcon(bytes);
  if (!icon) return;
  gtk_window_set_icon(window, icon);
  g_object_unref(icon);
}

}  // namespace tolv
