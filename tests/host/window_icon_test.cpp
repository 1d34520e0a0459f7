// Under Xvfb: the window icon of a game with an icon/icon.ico of each kind,
// read back from the window's _NET_WM_ICON (its first word is the width);
// images of other kinds or above 256x256 refused before their pixels cost
// memory.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <fstream>
#include <string>
#include <vector>

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

// A PNG of w x h black RGB pixels, its rows compressed as they come.
std::string Png(uint32_t w, uint32_t h) {
  auto be32 = [](uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
  auto chunk = [&](const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return be32(uint32_t(data.size())) + body + be32(uint32_t(crc32(0, (const Bytef*)body.data(), body.size())));
  };
  std::string idat, row(1 + 3 * size_t{w}, '\0');
  std::vector<Bytef> out(1 << 16);
  z_stream z{};
  deflateInit(&z, 9);
  for (uint32_t y = 0; y <= h; y++) {
    z.next_in = (Bytef*)row.data();
    z.avail_in = y < h ? uInt(row.size()) : 0;
    do {
      z.next_out = out.data();
      z.avail_out = uInt(out.size());
      deflate(&z, y < h ? Z_NO_FLUSH : Z_FINISH);
      idat.append((const char*)out.data(), out.size() - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  return "\x89PNG\r\n\x1a\n" + chunk("IHDR", be32(w) + be32(h) + std::string("\x08\x02\0\0\0", 5)) +
         chunk("IDAT", idat) + chunk("IEND", "");
}

// A 16x16 image saved by gdk-pixbuf as `kind`.
std::string Saved16(const char* kind) {
  GdkPixbuf* p = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 16, 16);
  gdk_pixbuf_fill(p, 0x408040ff);
  gchar* bytes = nullptr;
  gsize n = 0;
  gdk_pixbuf_save_to_buffer(p, &bytes, &n, kind, nullptr, nullptr);
  std::string s(bytes ? bytes : "", n);
  g_free(bytes);
  g_object_unref(p);
  return s;
}

// This process's peak resident memory.
long PeakKiB() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

TEST(WindowIcon, GameIconElseTheEnginesOne) {
  const fs::path root = OpenWindowOnGames();
  ASSERT_NE(root, "");
  const fs::path icon = root / "sample/icon/icon.ico";
  fs::create_directories(icon.parent_path());

  const std::string ppm16 = "P6\n16 16\n255\n" + std::string(16 * 16 * 3, '\x40');
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30000\" height=\"30000\"/>";
  struct Case {
    const char* what;
    std::string bytes;  // "" no file, "fifo" a FIFO
    long width;         // 32: the engine's icon
    bool named;         // "icon/icon.ico is not a valid icon file"
  } cases[] = {
      {"no icon", "", 32, false},
      {"a PNG", Png(16, 16), 16, false},
      {"an ICO", Saved16("ico"), 16, false},
      {"a BMP", Saved16("bmp"), 16, false},
      {"a PNG of 256x256", Png(256, 256), 256, false},
      {"a PNG of 257x1", Png(257, 1), 32, true},
      {"a PNG of 40000x1", Png(40000, 1), 32, true},
      {"a PNG of 12000x12000", Png(12000, 12000), 32, true},
      {"a PPM: no icon's kind", ppm16, 32, true},
      {"an SVG of 30000x30000", svg, 32, true},
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
  EXPECT_LT(PeakKiB(), 400 * 1024);  // a start takes 40 MB (160 under ASan), 12000x12000 decoded 432 more
  CloseHostWindow();
  fs::remove_all(root);
}

}  // namespace
}  // namespace tolv::test
