#include "host/window_menu.h"

#include <string>

#include "host/game_start.h"
#include "host/hotkeys.h"
#include "render/presenters.h"

namespace tolv {

// Item actions, unique so each item can be found by its action: the scale
// and filter items count up from their first by the value they choose.
constexpr guint kScaleItems = 1, kFilterItems = 4, kGameSelectItem = 7, kExitItem = 8;

using MenuCallback = void (*)(gpointer, guint action, GtkWidget* item);

static void OnGameSelect(gpointer, guint, GtkWidget*) { ReturnToGameSelect(); }
static void OnExit(gpointer, guint, GtkWidget*) { quit_requested = true; }
// A radio item reports both the item left and the item chosen.
static bool Chosen(GtkWidget* item) { return gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item)); }
static void OnScale(gpointer, guint action, GtkWidget* item) {
  if (Chosen(item)) window_scale = uint8_t(action - kScaleItems);
}
static void OnFilter(gpointer, guint action, GtkWidget* item) {
  if (Chosen(item)) filter = uint8_t(action - kFilterItems);
}

struct MenuEntry {
  const char* path;
  const char* accelerator;
  MenuCallback callback;
  guint action;
  const char* type;
};

// F8 and Esc are the engine's own hotkeys; GTK sees them only while a
// menu is open (the window's key snooper), so they never act twice.
static const MenuEntry kMenu[] = {
    {"/_File", nullptr, nullptr, 0, "<Branch>"},
    {"/File/_Game Select", "F8", OnGameSelect, kGameSelectItem, nullptr},
    {"/File/sep", nullptr, nullptr, 0, "<Separator>"},
    {"/File/E_xit", "Escape", OnExit, kExitItem, nullptr},
    {"/_Video", nullptr, nullptr, 0, "<Branch>"},
    {"/Video/_Normal Size", nullptr, OnScale, kScaleItems + kPresentNormal, "<RadioItem>"},
    {"/Video/_Double Size", nullptr, OnScale, kScaleItems + kPresentDouble, "/Video/Normal Size"},
    {"/Video/_Scanlines", nullptr, OnScale, kScaleItems + kPresentScanline, "/Video/Normal Size"},
    {"/Video/sep", nullptr, nullptr, 0, "<Separator>"},
    {"/Video/N_o Filter", nullptr, OnFilter, kFilterItems + kFilterNone, "<RadioItem>"},
    {"/Video/_TV Blur", nullptr, OnFilter, kFilterItems + kFilterTvBlur, "/Video/No Filter"},
    {"/Video/_Anti-Alias", nullptr, OnFilter, kFilterItems + kFilterAntiAlias, "/Video/No Filter"},
};

static GtkItemFactory* factory = nullptr;

static void AddItem(const MenuEntry& m) {
  GtkItemFactoryEntry e{};
  e.path = const_cast<gchar*>(m.path);
  e.accelerator = const_cast<gchar*>(m.accelerator);
  e.callback = reinterpret_cast<GtkItemFactoryCallback>(m.callback);
  e.callback_action = m.action;
  e.item_type = const_cast<gchar*>(m.type);
  gtk_item_factory_create_item(factory, &e, nullptr, 1);
}

static void Choose(guint action) {
  if (GtkWidget* item = gtk_item_factory_get_widget_by_action(factory, action))
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item), TRUE);
}

GtkWidget* BuildWindowMenu(GtkWidget* window) {
  GtkAccelGroup* accelerators = gtk_accel_group_new();
  factory = gtk_item_factory_new(GTK_TYPE_MENU_BAR, "<main>", accelerators);
  for (const MenuEntry& m : kMenu) AddItem(m);
  gtk_window_add_accel_group(GTK_WINDOW(window), accelerators);
  g_object_unref(accelerators);
  const uint8_t scale = window_scale, shown_filter = filter;  // choosing a radio item sets them
  if (scale <= kPresentScanline) Choose(kScaleItems + scale);
  if (shown_filter <= kFilterAntiAlias) Choose(kFilterItems + shown_filter);
  return gtk_item_factory_get_widget(factory, "<main>");
}

void DropWindowMenu() {
  if (factory) g_object_unref(factory);
  factory = nullptr;
}

}  // namespace tolv
