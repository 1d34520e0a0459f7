#include "host/window.h"

#include <SDL.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/frame_pacing.h"
#include "host/game_start.h"
#include "host/hotkeys.h"
#include "host/key_input.h"
#include "host/screen_frame.h"
#include "host/window_icon.h"
#include "host/window_menu.h"
#include "render/frame.h"
#include "render/presenters.h"
#include "world/palette.h"

namespace tolv {

static GtkWidget* window = nullptr;
static GtkWidget* area = nullptr;
static SDL_Surface* screen = nullptr;
static guint key_snooper = 0;

// Keys reach the engine through GTK: SDL does not read the keyboard of a
// window it was handed. Every key event is taken here, before GTK's own,
// and GTK sees only what the menus need: Alt with a key (their mnemonics;
// the game gets it too) and, while a menu is open and holds the grab, its
// keys, of which the game gets the releases only, so none stays held.
static gint KeySnooper(GtkWidget*, GdkEventKey* e, gpointer) {
  const bool down = e->type == GDK_KEY_PRESS;
  const bool menu_open = gtk_grab_get_current() != nullptr;
  if (!down || !menu_open) QueueKeyEvent(ScanCodeForKey(e->keyval, e->hardware_keycode), down);
  return !menu_open && !(e->state & GDK_MOD1_MASK);
}

static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer) {
  quit_requested = true;
  return TRUE;
}

// Keys released while the window had no focus would stay held.
static gboolean OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer) {
  ClearKeyState();
  return FALSE;
}

static void SetTitle(const char* title) {
  if (!window) return;
  if (g_utf8_validate(title, -1, nullptr)) return gtk_window_set_title(GTK_WINDOW(window), title);
  gchar* utf8 = g_convert(title, -1, "UTF-8", "ISO-8859-1", nullptr, nullptr, nullptr);
  gtk_window_set_title(GTK_WINDOW(window), utf8 ? utf8 : "TOLV");
  g_free(utf8);
}

static void SetIcon(const std::string& game_folder) {
  if (window) SetWindowIcon(GTK_WINDOW(window), game_folder);
}

// At depth 8 the surface shows indexes: the video palette takes bank 0.
static void FlipScreen() {
  if (screen->format->BitsPerPixel == 8) {
    SDL_Color colours[256];
    for (int i = 0; i < 256; i++) {
      const uint8_t* c = palette_banks[0].rgb[i];
      colours[i] = SDL_Color{c[0], c[1], c[2], 0};
    }
    SDL_SetColors(screen, colours, 0, 256);
  }
  SDL_UpdateRect(screen, 0, 0, 0, 0);
}

static uint8_t DepthOf(const SDL_PixelFormat* f) {
  if (f->BitsPerPixel == 16 && f->Gmask == 0x03E0) return 15;
  return f->BitsPerPixel;
}

static void UseScreenSurface() {
  Surface s;
  s.pixels = static_cast<uint8_t*>(screen->pixels);
  s.pitch = screen->pitch;
  s.width = screen->w;
  s.height = screen->h;
  s.format.depth = DepthOf(screen->format);
  s.format.red_mask = screen->format->Rmask;
  s.format.green_mask = screen->format->Gmask;
  s.format.blue_mask = screen->format->Bmask;
  SetWindowSurface(s);
  flip_surface = FlipScreen;
}

static void BuildWindow() {
  window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "TOLV");
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, kWindowWidth, kWindowHeight);
  gtk_widget_set_double_buffered(area, FALSE);
  gtk_widget_set_app_paintable(area, TRUE);
  GtkWidget* column = gtk_vbox_new(FALSE, 0);
  gtk_box_pack_start(GTK_BOX(column), BuildWindowMenu(window), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(column), area, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(window), column);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), nullptr);
  g_signal_connect(window, "focus-out-event", G_CALLBACK(OnFocusOut), nullptr);
  gtk_widget_show_all(window);
  while (gtk_events_pending()) gtk_main_iteration();
  gdk_flush();
}

bool OpenHostWindow(int* argc, char*** argv) {
  if (!gtk_init_check(argc, argv)) {
    std::fprintf(stderr, "tolv: cannot open the display %s\n", std::getenv("DISPLAY"));
    return false;
  }
  if (SDL_Init(SDL_INIT_TIMER) < 0) {
    std::printf("Error: unable to initialize timer: %s\n", SDL_GetError());
    return false;
  }
  window_scale = kPresentDouble;  // the 320-wide modes doubled, as the Video menu first shows
  BuildWindow();
  char id[32];
  std::snprintf(id, sizeof id, "%lu", HostWindowId());
  setenv("SDL_WINDOWID", id, 1);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0 ||
      !(screen = SDL_SetVideoMode(kWindowWidth, kWindowHeight, 0, SDL_SWSURFACE))) {
    std::printf("%s\n", SDL_GetError());
    CloseHostWindow();
    return false;
  }
  UseScreenSurface();
  key_snooper = gtk_key_snooper_install(KeySnooper, nullptr);
  set_window_title = SetTitle;
  set_window_icon = SetIcon;
  return true;
}

bool KeyDownNow(uint32_t keysym) {
  Display* display = GDK_DISPLAY();
  KeyCode code = display ? XKeysymToKeycode(display, keysym) : 0;
  char keys[32];
  if (!code || !XQueryKeymap(display, keys)) return false;
  return keys[code / 8] & (1 << (code % 8));
}

unsigned long HostWindowId() { return area && area->window ? GDK_WINDOW_XID(area->window) : 0; }

void PutWindowKeyEvent(uint32_t keysym, uint32_t keycode, bool down) {
  if (!area || !area->window) return;
  GdkEvent* e = gdk_event_new(down ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
  e->key.window = GDK_WINDOW(g_object_ref(area->window));
  e->key.keyval = keysym;
  e->key.hardware_keycode = guint16(keycode);
  e->key.time = GDK_CURRENT_TIME;
  gdk_event_put(e);
  gdk_event_free(e);
}

static void PumpSdlEvents() {
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (e.type == SDL_QUIT) quit_requested = true;
}

static bool ResizeSurface(int32_t w, int32_t h) {
  gtk_widget_set_size_request(area, w, h);
  while (gtk_events_pending()) gtk_main_iteration();
  gdk_flush();
  const int32_t old_w = screen->w, old_h = screen->h;
  screen = SDL_SetVideoMode(w, h, 0, SDL_SWSURFACE);
  if (!screen) screen = SDL_SetVideoMode(old_w, old_h, 0, SDL_SWSURFACE);  // pictures too large stay unshown
  if (!screen) {
    std::printf("%s\n", SDL_GetError());
    window_surface = Surface{};
    quit_requested = true;
    return false;
  }
  UseScreenSurface();
  return true;
}

// The surface holds the picture of the frame geometry at window_scale and
// keeps its size when a smaller picture follows, as on leaving an editor
// (the presenters clear what it leaves uncovered); a new scale makes it
// that scale's picture.
static uint8_t fitted_scale = 255;

static void FitSurface() {
  int32_t pw, ph;
  if (!PictureSize(&pw, &ph)) return;
  const bool rescaled = window_scale != fitted_scale;
  fitted_scale = window_scale;
  const int32_t w = rescaled ? pw : std::max(screen->w, pw), h = rescaled ? ph : std::max(screen->h, ph);
  if (w != screen->w || h != screen->h) ResizeSurface(w, h);
}

bool IdleTick() {
  if (quit_requested) return false;
  if (!PaceFrame(SDL_GetTicks())) {
    SDL_Delay(1);
    return true;
  }
  if (screen) FitSurface();
  PumpSdlEvents();
  UpdateKeyState();
  ApplyKeyMaps();
  RunScreenFrame(frame_pacing.fps);
  RunHotkeys();
  return !quit_requested;
}

bool TickWindow() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  return IdleTick();
}

static gboolean IdleCallback(gpointer) {
  if (IdleTick()) return TRUE;
  gtk_main_quit();
  return FALSE;
}

void RunHostWindow() {
  g_idle_add(IdleCallback, nullptr);
  gtk_main();
}

void CloseHostWindow() {
  set_window_title = [](const char*) {};
  set_window_icon = [](const std::string&) {};
  flip_surface = [] {};
  window_surface = Surface{};
  screen = nullptr;
  if (key_snooper) gtk_key_snooper_remove(key_snooper);
  key_snooper = 0;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  unsetenv("SDL_WINDOWID");
  if (window) gtk_widget_destroy(window);
  window = area = nullptr;
  DropWindowMenu();
  fitted_scale = 255;
  while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace tolv
