// Object definition files: sprite sets, the seven kinds of object
// functions, then the object types, for one scope.
#include "game/object_defs.h"

#include <cstdio>
#include <cstring>

#include "files/game_files.h"
#include "files/scopes.h"
#include "files/script_error.h"
#include "files/tokenizer.h"
#include "files/working_folder.h"
#include "game/function_files.h"
#include "objects/object_pool.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/sprite_sets.h"

namespace tolv {

std::string object_def_paths[3];

static const char* const kKindWords[7] = {"Movement",  "Drawing",         "Collision",    "Projectile Collision",
                                          "Animation", "Debug Placement", "Debug Drawing"};

static void RecordPath(const char* path, int scope, const std::string& folder, const std::string& name) {
  if (!game_unpacked) return object_def_paths[scope].clear();
  if (scope == kScopeGame) {
    object_def_paths[scope] = path;
    return;
  }
  char text[3 * kTokenSize];
  std::snprintf(text, sizeof text, "zone%02d/%s/%s", Reg(kRegZone), folder.c_str(), name.c_str());
  object_def_paths[scope] = text;
}

static void ReadSpriteSets(FileStream& s, int scope) {
  char token[kTokenSize], copy[kTokenSize];
  ReadPathToken(s, token);
  std::memcpy(copy, token, sizeof copy);
  int32_t k = ParseNumber(copy);
  if (k == 0) LoadSpriteSets(token, scope);
  else ReadInlineSpriteSets(s, scope, k);
}

static void ReadObjectFunctions(FileStream& s, int scope, const std::string& folder) {
  for (int k = 0; k < 7; k++) {
    char what[64];
    std::snprintf(what, sizeof what, "%s Object %s", scope_words[scope], kKindWords[k]);
    uint32_t first = SetCodeScope(object_code_sets[k], scope, ReadNumberToken(s), what);
    LoadFunctionFiles(s, object_code_sets[k], first, folder, {what, "Object"});
  }
}

void LoadObjectDefs(const char* path, int scope) {
  if (scope < kScopeGame || scope > kScopeAct) return;
  const std::string entry = CurrentGameFolderPath();
  std::string folder, name;
  SplitPath(path, nullptr, &folder, &name);
  ScopedStream s;
  if (!ChangeGameFolder(folder.c_str()) || !OpenStream(name.c_str(), s))
    ScriptErrorFormat("File \"%s\" not found", name.c_str());
  RecordPath(path, scope, folder, name);
  const std::string listing = CurrentGameFolderPath();
  ReadSpriteSets(s, scope);
  ReadObjectFunctions(s, scope, listing);
  ReadObjectTypes(s, scope);
  CloseStream(s);
  ChangeGameFolder(entry.c_str());
}

}  // namespace tolv
