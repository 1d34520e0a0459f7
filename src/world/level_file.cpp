// Reading, loading and saving level files.
#include "world/level_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/editor_plane_state.h"
#include "world/level_parse.h"

namespace tolv {

static const char kDamaged[] = "Level file damaged: old level kept";

template <class... Args>
static void Notice(const char* format, Args... args) {
  char line[300];
  std::snprintf(line, sizeof line, format, args...);
  ShowMessage(line);
}

// True after "SLEV"; otherwise r is back where it stood.
static bool ReadMagic(ByteReader& r) {
  const ByteReader start = r;
  for (const char c : {'S', 'L', 'E', 'V'})
    if (r.U8() != static_cast<uint8_t>(c)) {
      r = start;
      return false;
    }
  return true;
}

void InstallLevel(ParsedLevel& level) {
  ResetLevelView();
  SwapLevelPlanes(level.planes);
  level_source = kLevelFromFile;
  level_width = level.width;
  level_height = level.height;
  Reg(kRegWaterLine) = level.water_line;
  SetLimitsFromFlatPlanes();
  for (uint32_t i = 0; i < plane_count; i++)
    if (planes[i].type == kPlaneFlat) {
      editor_current_plane = static_cast<uint8_t>(i);
      break;
    }
}

LevelReadResult ParseLevelData(ByteReader& r, bool embedded, ParsedLevel& level, int* version_out) {
  const int version = embedded || ReadMagic(r) ? r.U8() : 0;
  if (version_out) *version_out = version;
  bool ok = !r.failed;
  switch (version) {
    case 0: ok = ok && ReadLevelVersion0(r, level); break;
    case 1: ok = ok && ReadLevelVersion1(r, level); break;
    case 2: ok = ok && ReadLevelBody(r, false, level); break;
    case 3: ok = ok && ReadLevelBody(r, true, level); break;
    case 255: ok = ok && ReadLevelVersion255(r, level); break;
    default: return kLevelUnknownVersion;
  }
  return ok && !r.failed ? kLevelRead : kLevelDamaged;
}

LevelReadResult ReadLevelData(ByteReader& r, bool embedded) {
  ParsedLevel level;
  int version = 0;
  switch (ParseLevelData(r, embedded, level, &version)) {
    case kLevelUnknownVersion:
      ResetDefaultPlanes();
      level_source = kLevelFallback;
      Notice("Level version %d unknown: default level", version);
      return kLevelUnknownVersion;
    case kLevelDamaged: ShowMessage(kDamaged); return kLevelDamaged;
    case kLevelRead: break;
  }
  InstallLevel(level);
  return kLevelRead;
}

// Beyond any level the caps allow: 2^26 cells stored plain, with room for
// the line data.
constexpr uint32_t kMaxLevelFileBytes = 1u << 28;

void LoadLevelFile(const char* path) {
  const std::string name = path ? path : "";  // path may be level_file_path itself
  std::vector<uint8_t> bytes;
  switch (ReadGameFileBytes(name.c_str(), bytes, kMaxLevelFileBytes)) {
    case GameFileRead::kMissing:
      ResetDefaultPlanes();
      level_source = kLevelFallback;
      Notice("Can't open %s", name.c_str());
      return;
    case GameFileRead::kTooLarge:
      ShowMessage(kDamaged);
      return;
    case GameFileRead::kRead: break;
  }
  ByteReader r(bytes.data(), bytes.size());
  // The opened file becomes the current one unless the old level stays
  // (damaged): then the path stays with the level that was read from it.
  if (ReadLevelData(r, false) != kLevelDamaged) level_file_path = name;
}

bool SaveLevelFile(const char* path) {
  const std::string name = path ? path : "";
  std::string target;
  const bool placed = GameWritePath(name.c_str(), &target);
  // The default level standing in for a level file that failed to load
  // never replaces a file: that would be the level that failed, or the
  // last good one.
  struct stat st;
  if (placed && level_source == kLevelFallback && lstat(target.c_str(), &st) == 0) {
    ShowMessage("Can't save the default level over:");
    ShowMessageLines(name.c_str());
    return false;
  }
  ByteWriter w;
  const uint8_t version = WriteLevelData(w, false);
  if (!placed || !SaveFileAtomically(target, w.bytes)) {
    Notice("Can't save %s", name.c_str());
    return false;
  }
  Notice("Saved %s", name.c_str());
  if (version != 3) ShowMessage("Tile ids over 32767: saved as version 2");
  return true;
}

}  // namespace tolv
