// Under Xvfb: the window icon of a game with an icon/icon.ico of each kind,
// read back from the window's _NET_WM_ICON (its first word is the width).
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "base/message_log.h"
#include "host/game_start.h"
#include "host/window.h"
#include "window_fixture.h"
#include "../base/message_lines.h"

#include <X11/Xatom.h>  // last: its macros (None, Bool) clash with gtest's names
#include <X11/Xlib.h>

namespace tolv::test {
namespace {

namespace fs = std::filesystem;

// The toplevel's icon width, 0 for none, once GTK has sent it.
long IconWidth() {
  while (gtk_events_pending()) gtk_main_iteration();
  gdk_flush();
  Display* d = XOpenDisplay(nullptr);
  Window root, parent, *children = nullptr;
  unsigned int n = 0;
  XQueryTree(d, HostWindowId(), &root, &parent, &children, &n);  // the toplevel: the box between has no window
  if (children) XFree(children);
  const Window top = parent;
  Atom type;
  int format;
  unsigned long items = 0, left = 0;
  unsigned char* data = nullptr;
  long width = 0;
  if (XGetWindowProperty(d, top, XInternAtom(d, "_NET_WM_ICON", False), 0, 1, False, XA_CARDINAL, &type, &format,
                         &items, &left, &data) == Success && items == 1)
    width = reinterpret_cast<long*>(data)[0];
  if (data) XFree(data);
  XCloseDisplay(d);
  return width;
}

TEST(WindowIcon, GameIconElseTheEnginesOne) {
  const fs::path root = OpenWindowOnGames();
  ASSERT_NE(root, "");
  const fs::path icon = root / "sample/icon/icon.ico";
  fs::create_directories(icon.parent_path());

  const std::string ppm16 = "P6\n16 16\n255\n" + std::string(16 * 16 * 3, '\x40');
  struct Case {
    const char* what;
    std::string bytes;  // "" no file, "fifo" a FIFO
    long width;         // 32: the engine's icon
    bool named;         // "icon/icon.ico is not a valid icon file"
  } cases[] = {
      {"no icon", "", 32, false},
      {"an image", ppm16, 16, false},
      {"not an image", "not an icon", 32, true},
      {"an empty file", "-", 32, true},
      {"a FIFO: never read", "fifo", 32, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(icon);
    if (c.bytes == "fifo") ASSERT_EQ(mkfifo(icon.c_str(), 0600), 0);
    else if (!c.bytes.empty()) std::ofstream(icon, std::ios::binary) << (c.bytes == "-" ? "" : c.bytes);
    ClearMessages();
    ASSERT_TRUE(StartGame("default.gdf", false));
    EXPECT_EQ(IconWidth(), c.width);
    EXPECT_EQ(Logged("icon/icon.ico is not a valid icon file"), c.named);
    ReturnToGameSelect();
  }
  CloseHostWindow();
  fs::remove_all(root);
}

}  // namespace
}  // namespace tolv::test
