// game.def: the game scope of every list, read in its fixed order.
#include <cstring>

#include "audio/sound_lists.h"
#include "base/message_log.h"
#include "compiler/alias_tables.h"
#include "compiler/compiler.h"
#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/act_records.h"
#include "game/data_tables.h"
#include "game/function_files.h"
#include "game/editor_hooks.h"
#include "game/game_frame.h"
#include "game/game_loading.h"
#include "game/key_maps.h"
#include "game/launch_options.h"
#include "game/level_loading.h"
#include "game/object_defs.h"
#include "objects/character.h"
#include "objects/character_loader.h"
#include "objects/object_pool.h"
#include "objects/players.h"
#include "render/font.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "render/screen_mode.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"
#include "world/sprite_sets.h"

namespace tolv {

uint8_t game_start[4];

// Character files compile their player functions from their own stream.
static bool CompilePlayerFunction(TokenSource* src, ScriptFunction* out, const char*) {
  SyncCompileScopes();
  *out = CompileFunctionBody(*static_cast<FileStream*>(src->state));
  return true;
}

static ScopeCounts SpriteSetCounts() { return sprite_set_counts; }

void UnloadGame() {
  UnloadScopes(kScopeGame);
  FreeKeyMaps();
  act_table.clear();
  delete[] debug_types;
  debug_types = nullptr;
  debug_type_count = 0;
  loaded_zone = loaded_act = -1;
  Reg(kRegLoadedZone) = Reg(kRegLoadedAct) = 255;  // nothing of a zone stays loaded
}

void LoadScriptList(const char* path) {
  ScopedStream s;
  if (!OpenStream(path, s)) ScriptErrorFormat("File \"%s\" not found", path);
  FreeCodeSet(player_functions);
  SetCodeScope(player_functions, kScopeGame, ReadNumberToken(s), "player function");
  uint32_t n = player_functions.total;
  SyncCompileScopes();
  for (uint32_t k = 0; k < n; k++) player_functions.functions[k] = CompileFunctionBody(s);
}

static void LoadScriptListFile(const char* name, int) { LoadScriptList(name); }

// A count token in 0..max, fatal otherwise.
static uint32_t Count(FileStream& s, uint32_t max, const char* what) { return ReadCount(s, max, what); }

static void ApplyRegisterOptions() {
  for (const RegisterAssignment& a : register_assignments) {
    uint32_t cell = a.index & 0x80000000u ? kReservedRegisters + (a.index & 0x7FFFFFFFu) : a.index;
    if (cell < register_count) registers[cell] = a.value;
    else ShowMessage("-regs names no register: ignored");
  }
}

// The fixed companions of game.def, each from the game root.
static void LoadCompanions() {
  LoadAliasFiles("alias.def");
  ReturnToGameRoot();
  LoadDataTables("tables.def", kScopeGame);
  ReturnToGameRoot();
  std::strcpy(key_map_file_name, "keymap.def");
  LoadKeyMaps(key_map_file_name);
  ReturnToGameRoot();
}

static void ReadGameStrings(FileStream& s) {
  uint32_t n = Count(s, kMaxScopedEntries, "string");
  ResizeStringSlots(0);
  ResizeStringSlots(uint16_t(n));
  game_string_count = uint16_t(n);
  zone_string_count = 0;
  for (uint32_t i = 0; i < n; i++) {
    ReadScriptLine(s, text_buffer);
    SetStringSlot(i, text_buffer);
  }
}

static void ListedFile(FileStream& s, void (*load)(const char*, int)) {
  char path[kTokenSize];
  ReadPathToken(s, path);
  LoadListedFile(path, load, kScopeGame, "/");
}

static void ReadCharacters(FileStream& s) {
  character_count = uint8_t(Count(s, 255, "character"));
  char path[kTokenSize];
  for (int c = 0; c < character_count; c++) {
    ReadPathToken(s, path);
    LoadCharacterDef(path, c);
    ReturnToGameRoot();
  }
}

static void ReadGameDef(FileStream& s) {
  for (uint8_t& b : game_start) b = uint8_t(ReadNumberToken(s));
  AllocRegisters(Count(s, kMaxUserRegisters, "user register"));
  if (game_unpacked) ApplyRegisterOptions();
  LoadCompanions();
  ListedFile(s, LoadFontList);
  ReadGameStrings(s);
  ListedFile(s, LoadMusicList);
  ListedFile(s, LoadSoundList);
  character_register_count = Count(s, 65535 - 9, "character register") + 9;
  player_register_count = Count(s, 65535 - 39, "player register") + 39;
  AllocPlayerVars();
  ListedFile(s, LoadScriptListFile);
  ReadCharacters(s);
  char path[kTokenSize];
  ReadPathToken(s, path);
  if (std::strcmp(path, "NONE") != 0) LoadObjectDefs(path, kScopeGame);
  ReturnToGameRoot();
  uint32_t layouts = Count(s, 65535, "screen-layout");
  for (uint32_t i = 0; i < layouts; i++) ListedFile(s, LoadStatObjDef);
  LoadGameFunctions(s);
}

static void PlaceStart() {
  const WarpRequest& w = warp_request;
  if (w.active && game_unpacked) {
    Reg(kRegZone) = w.zone;
    Reg(kRegAct) = w.act;
    SetPlayerCharacter(0, w.character1);
    SetPlayerCharacter(1, w.character2);
    view_count = uint8_t(w.views);
    Reg(kRegScreenMode) = w.views;
    if (w.views == 2) SetScreenMode(2);
  } else {
    Reg(kRegZone) = game_start[0];
    Reg(kRegAct) = game_start[1];
    SetPlayerCharacter(0, game_start[2]);
    SetPlayerCharacter(1, game_start[3]);
  }
  warp_request.active = 0;
}

void LoadGame() {
  if (!ChangeWorkingFolder(game_folder.c_str())) ScriptErrorFormat("Can't open game folder:\n%s", game_folder.c_str());
  compile_player_function = CompilePlayerFunction;
  object_sprite_set_counts = SpriteSetCounts;
  UnloadGame();
  ReturnToGameRoot();
  ScopedStream s;
  if (!OpenStream("game.def", s)) ScriptErrorFormat("File \"%s\" not found", "game.def");
  ReadGameDef(s);
  CloseStream(s);
  ReturnToGameRoot();
  BindScriptFunctions();
  SetupScriptContexts();
  PlaceStart();
  reset_editor_selection();
  Reg(kRegLevelStarted) = 0;
}

}  // namespace tolv
