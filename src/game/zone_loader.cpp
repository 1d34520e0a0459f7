// zone.def: the zone scope of every list, its act records and debug types.
#include <cstdio>
#include <cstring>

#include "audio/sound_lists.h"
#include "files/def_files.h"
#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/act_records.h"
#include "game/data_tables.h"
#include "game/function_files.h"
#include "game/level_loading.h"
#include "game/object_defs.h"
#include "objects/object_type.h"
#include "objects/players.h"
#include "render/font.h"
#include "script/global_contexts.h"
#include "script/operands.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"

namespace tolv {

std::string ZoneFolder(int32_t zone) {
  char text[32];
  std::snprintf(text, sizeof text, "/zone%02d", zone);
  return text;
}

bool ZoneLoadable(int32_t zone) {
  const std::string back = CurrentGameFolderPath();
  const bool found = ChangeGameFolder(ZoneFolder(zone).c_str()) && OpenGameFile("zone.def");
  if (found) CloseGameFile();
  ChangeGameFolder(back.c_str());
  return found;
}

void FreeZoneScopes() {
  UnloadScopes(kScopeZone);
  act_table.clear();
}

void FreeActScopes() { UnloadScopes(kScopeAct); }

// Row 2: S string lines, as written, after the game's.
static void ReadZoneStrings(FileStream& s) {
  int32_t n = ReadNumberToken(s);
  CheckScopeSize(game_string_count, n, "zone string");
  ResizeStringSlots(uint16_t(game_string_count + n));
  zone_string_count = uint16_t(n);
  for (int32_t i = 0; i < n; i++) {
    ReadScriptLine(s, text_buffer);
    SetStringSlot(uint32_t(game_string_count + i), text_buffer);
  }
}

static void ReadDebugTypes(FileStream& s) {
  uint32_t n = ReadCount(s, 255, "debug type");
  delete[] debug_types;
  debug_types = n ? new uint16_t[n] : nullptr;
  debug_type_count = uint8_t(n);
  for (uint32_t i = 0; i < n; i++) {
    ReadToken(s, text_buffer);
    debug_types[i] = uint16_t(ScopeLetterNumber(text_buffer, object_type_counts.game, object_type_counts.zone));
  }
}

static void ReadLayoutFiles(FileStream& s, int scope, const std::string& back) {
  uint32_t n = ReadCount(s, 65535, "screen-layout");
  char path[kTokenSize];
  for (uint32_t i = 0; i < n; i++) {
    ReadPathToken(s, path);
    LoadListedFile(path, LoadStatObjDef, scope, back);
  }
}

void LoadZone() {
  FreeZoneScopes();
  const std::string folder = ZoneFolder(Reg(kRegZone));
  ScopedStream s;
  // Named from the game root as a game maker sees it: "zone02", not "/zone02".
  if (!ChangeGameFolder(folder.c_str())) ScriptErrorFormat("Zone folder \"%s\" not found", folder.c_str() + 1);
  if (!OpenStream("zone.def", s)) ScriptErrorFormat("File \"%s\" not found", "zone.def");
  loaded_zone = Reg(kRegZone);
  LoadDataTables("tables.def", kScopeZone);
  ChangeGameFolder(folder.c_str());
  char path[kTokenSize];
  ReadPathToken(s, path);
  LoadListedFile(path, LoadFontList, kScopeZone, folder);
  ReadZoneStrings(s);
  ReadPathToken(s, path);
  LoadListedFile(path, LoadMusicList, kScopeZone, folder);
  ReadPathToken(s, path);
  LoadListedFile(path, LoadSoundList, kScopeZone, folder);
  ReadPathToken(s, path);
  if (std::strcmp(path, "NONE") != 0) LoadObjectDefs(path, kScopeZone);
  ReadLayoutFiles(s, kScopeZone, folder);
  uint32_t first = SetCodeScope(script_functions, kScopeZone, ReadNumberToken(s), "zone function");
  LoadFunctionFiles(s, script_functions, first, folder, {"Zone", "Zone"});
  ReadActRecords(s);
  ReadDebugTypes(s);
  CloseStream(s);
  ReturnToGameRoot();
}

void LoadAct() {
  FreeActScopes();
  const std::string folder = ZoneFolder(Reg(kRegZone));
  ChangeGameFolder(folder.c_str());
  const ActRecord* act = FindAct(Reg(kRegAct));
  if (!act) ScriptErrorFormat("Zone %d has no act %d", Reg(kRegZone), Reg(kRegAct));
  loaded_act = Reg(kRegAct);
  LoadListedFile(act->font_list.c_str(), LoadFontList, kScopeAct, folder);
  LoadListedFile(act->music_list.c_str(), LoadMusicList, kScopeAct, folder);
  LoadListedFile(act->sound_list.c_str(), LoadSoundList, kScopeAct, folder);
  if (act->object_def != "NONE") LoadObjectDefs(act->object_def.c_str(), kScopeAct);
  for (const std::string& p : act->layout_files) LoadListedFile(p.c_str(), LoadStatObjDef, kScopeAct, folder);
  uint32_t first = SetCodeScope(script_functions, kScopeAct, act->function_count, "act function");
  LoadFunctionFileList(act->function_files, script_functions, first, folder, {"Act", "Zone"});
  ReturnToGameRoot();
}

}  // namespace tolv
