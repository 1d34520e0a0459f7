// Icons are read as game files are (a regular file within the game's read
// area: a FIFO or a link out of the game is no icon) and decoded from
// memory, so a bad one can neither block nor reach outside. Only the kinds
// an icon file holds are decoded, and none larger than an icon: a large
// image costs its whole size in memory and X refuses icons past its limits.
#include "host/window_icon.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/message_log.h"
#include "files/game_folder_guard.h"

namespace tolv {

constexpr size_t kMaxIconBytes = size_t{4} << 20;
constexpr int kMaxIconSide = 256;
// The loader takes the bytes in pieces of this size: it decodes all it is
// given, so a refused image's rows after the first piece are never inflated.
constexpr size_t kIconPiece = 4096;

// False when the file cannot be opened.
static bool ReadIcon(const std::string& path, std::vector<uint8_t>& bytes) {
  FILE* f = OpenConfinedFile(path);
  if (!f) return false;
  bytes.resize(kMaxIconBytes + 1);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  std::fclose(f);
  return true;
}

// The gdk-pixbuf loader named by the bytes' first bytes: ICO,
// PNG or BMP; null for any other.
static const char* IconKind(const std::vector<uint8_t>& bytes) {
  auto starts = [&](const char* magic, size_t n) { return bytes.size() >= n && !std::memcmp(bytes.data(), magic, n); };
  if (starts("\0\0\1\0", 4)) return "ico";
  if (starts("\x89PNG\r\n\x1a\n", 8)) return "png";
  if (starts("BM", 2)) return "bmp";
  return nullptr;
}

// Called once the header is read, before any pixel is: a size of 0 makes
// the loader stop there.
static void RefuseLargeIcon(GdkPixbufLoader* loader, gint width, gint height, gpointer too_large) {
  if (width <= kMaxIconSide && height <= kMaxIconSide) return;
  *static_cast<bool*>(too_large) = true;
  gdk_pixbuf_loader_set_size(loader, 0, 0);
}

// The image, or null when the bytes are no icon of a kind and size taken.
static GdkPixbuf* DecodeIcon(const std::vector<uint8_t>& bytes) {
  const char* kind = IconKind(bytes);
  if (!kind || bytes.size() > kMaxIconBytes) return nullptr;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(kind, nullptr);
  if (!loader) return nullptr;
  bool too_large = false;
  g_signal_connect(loader, "size-prepared", G_CALLBACK(RefuseLargeIcon), &too_large);
  bool written = true;
  for (size_t at = 0; written && !too_large && at < bytes.size(); at += kIconPiece)
    written = gdk_pixbuf_loader_write(loader, bytes.data() + at, std::min(kIconPiece, bytes.size() - at), nullptr);
  const bool closed = gdk_pixbuf_loader_close(loader, nullptr);  // always: the loader wants it
  GdkPixbuf* icon = written && closed && !too_large ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
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
