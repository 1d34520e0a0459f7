// The launcher's screen: its menus, keys and drawing.
#include "host/launcher.h"

#include <cstring>

#include "base/key_state.h"
#include "base/message_log.h"
#include "base/scan_codes.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "game/game_loading.h"
#include "game/headless.h"
#include "game/level_loading.h"
#include "host/engine_font.h"
#include "render/frame.h"
#include "render/screen_mode.h"
#include "script/random.h"
#include "world/level.h"
#include "world/palette.h"
#include "world/tile_file.h"

namespace tolv {

uint32_t launcher_cursor = 0;
uint32_t launcher_menu_row = 0;

static bool Pressed(uint8_t k) { return KeyByte(k) != 0; }
static bool Pulse(uint8_t k) { return KeyByte(kPulseRow + k) != 0; }

enum LauncherColour : uint8_t { kInk = 1, kBar = 2, kRule = 3 };  // 0 the background; the font draws in 1

constexpr int32_t kRowHeight = 10;
constexpr int32_t kListTop = 20;
constexpr int32_t kListRows = 19;

static void StartGameHeadless(const char* descriptor) {
  if (!OpenGame(descriptor)) return;  // the reason is in the message log
  StartHeadlessGame(HeadlessGame{LoadGame, StartLevel}, random_seed);
  active_screen = 0;
}

void (*launcher_start_game)(const char* descriptor) = StartGameHeadless;

enum GameMenuItem : uint32_t { kItemPlay, kItemUpdate, kItemPack, kItemDelete, kItemBack, kGameMenuItems };
static const char* const kGameMenuText[kGameMenuItems] = {"Play", "Check for an update", "Pack game files",
                                                          "Delete game", "Back"};

static void SetLauncherPalette() {
  static const uint8_t kColours[4][3] = {{0, 0, 0}, {255, 255, 255}, {40, 56, 144}, {96, 96, 96}};
  for (int bank = 1; bank >= 0; bank--) {
    SelectPaletteBank(bank);
    for (uint32_t i = 0; i < 4; i++) SetPaletteEntry(i, kColours[i]);
  }
}

void EnterLauncher() {
  if (base_folder.empty()) base_folder = WorkingFolder();
  ChangeWorkingFolder(base_folder.c_str());
  SetScreenMode(0);
  ResetTileSet();
  ResetDefaultPlanes();
  SetLauncherPalette();
  LoadEngineFont();
  ListGames();
  launcher_menu_id = kLauncherGameList;
  launcher_cursor = launcher_menu_row = 0;
  launcher_status.clear();
  active_screen = kLauncherScreen;
}

static const LauncherGame* Chosen() {
  return launcher_cursor < launcher_games.size() ? &launcher_games[launcher_cursor] : nullptr;
}

// Moves a row within count rows by the arrows (page keys a list page).
static void Step(uint32_t& row, uint32_t count) {
  int64_t r = row;
  r += int64_t(Pulse(kScanDown)) - int64_t(Pulse(kScanUp));
  r += (int64_t(Pulse(kScanPageDown)) - int64_t(Pulse(kScanPageUp))) * kListRows;
  row = count == 0 ? 0 : uint32_t(r < 0 ? 0 : r >= count ? count - 1 : r);
}

// From the list, so the engine version is checked.
static void Play(const std::string& descriptor) {
  launcher_menu_id = kLauncherGameList;
  if (LauncherDescriptorUsable(descriptor)) launcher_start_game(descriptor.c_str());
}

static void GameListKeys() {
  Step(launcher_cursor, uint32_t(launcher_games.size()));
  const LauncherGame* g = Chosen();
  if (!g) return;
  if (Pressed(kScanEnter)) {
    const std::string descriptor = g->descriptor;  // the slot may relist
    Play(descriptor);
  } else if (Pressed(kScanRight)) {
    launcher_menu_id = kLauncherGameMenu;
    launcher_menu_row = 0;
  }
}

static void BackToList() {
  ListGames();
  if (launcher_cursor >= launcher_games.size()) launcher_cursor = launcher_games.empty() ? 0 : uint32_t(launcher_games.size() - 1);
  launcher_menu_id = kLauncherGameList;
}

static void RunGameMenuItem(const LauncherGame& g) {
  switch (launcher_menu_row) {
    case kItemPlay: Play(g.descriptor); break;
    case kItemUpdate: LauncherCheckUpdate(g.descriptor); break;
    case kItemPack: LauncherPackGame(g.descriptor); break;
    case kItemDelete: launcher_menu_id = kLauncherConfirmDelete; break;
    default: BackToList(); break;
  }
}

static void GameMenuKeys() {
  const LauncherGame* g = Chosen();
  if (!g || Pressed(kScanLeft) || Pressed(kScanBackspace)) return BackToList();
  Step(launcher_menu_row, kGameMenuItems);
  if (Pressed(kScanEnter)) RunGameMenuItem(*g);
}

static void ConfirmDeleteKeys() {
  const LauncherGame* g = Chosen();
  if (g && Pressed(kScanY)) {
    const std::string descriptor = g->descriptor;
    LauncherDeleteGame(descriptor);
    BackToList();
  } else if (!g || Pressed(kScanN) || Pressed(kScanLeft) || Pressed(kScanBackspace)) {
    launcher_menu_id = kLauncherGameMenu;
  }
}

static void FillRows(int32_t top, int32_t rows, int32_t left, int32_t right, uint8_t colour) {
  for (int32_t y = top < 0 ? 0 : top; y < top + rows && y < frame_height; y++)
    std::memset(frame_buffer + row_offsets[y] + left, colour, size_t(right - left));
}

static void Text(const std::string& text, int32_t x, int32_t y) {
  DrawEngineText(text.substr(0, size_t((frame_width - x) / 8)).c_str(), x, y);
}

// Rows of a list, the chosen one on a bar, scrolled to keep it in view.
static void DrawRows(const std::vector<std::string>& rows, uint32_t chosen) {
  const uint32_t first = chosen < uint32_t(kListRows) ? 0 : chosen - kListRows + 1;
  for (uint32_t i = first; i < rows.size() && i < first + kListRows; i++) {
    const int32_t y = kListTop + int32_t(i - first) * kRowHeight;
    if (i == chosen) FillRows(y - 1, kRowHeight, 4, frame_width - 4, kBar);
    Text(rows[i], 8, y);
  }
}

static void DrawLauncher() {
  std::memset(FrameStart(), 0, FrameAreaBytes());
  const LauncherGame* g = Chosen();
  std::vector<std::string> rows;
  std::string title = "TOLV: choose a game", hint = "Enter play, Right more";
  if (launcher_menu_id == kLauncherGameList) {
    for (const LauncherGame& game : launcher_games) rows.push_back(game.title);
    if (rows.empty()) hint = "No games in gdf";
  } else if (g) {
    title = g->title;
    if (launcher_menu_id == kLauncherGameMenu) {
      rows.assign(kGameMenuText, kGameMenuText + kGameMenuItems);
      hint = "Enter choose, Left back";
    } else {
      rows = {"Delete " + g->descriptor + " and its folder?"};
      hint = "Y delete, N keep";
    }
  }
  Text(title, 8, 4);
  FillRows(14, 1, 0, frame_width, kRule);
  DrawRows(rows, launcher_menu_id == kLauncherGameList ? launcher_cursor
                 : launcher_menu_id == kLauncherGameMenu ? launcher_menu_row : UINT32_MAX);
  FillRows(frame_height - 25, 1, 0, frame_width, kRule);
  Text(hint, 8, frame_height - 21);
  Text(launcher_status, 8, frame_height - 10);
}

void LauncherFrame() {
  switch (launcher_menu_id) {
    case kLauncherGameList: GameListKeys(); break;
    case kLauncherGameMenu: GameMenuKeys(); break;
    default: ConfirmDeleteKeys(); break;
  }
  if (active_screen == kLauncherScreen) DrawLauncher();
}

}  // namespace tolv
