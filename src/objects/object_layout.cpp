// Loading and saving object layout files. Reading goes through the game
// file layer; a save is atomic (SaveFileAtomically), so a failed save never
// destroys the previous layout.
#include "objects/object_layout.h"

#include <cstdio>
#include <cstring>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "files/game_files.h"

namespace tolv {

std::string layout_file_path;

static void ShowPathMessage(const char* fmt, const char* path) {
  char line[300];
  std::snprintf(line, sizeof line, fmt, path);
  ShowMessage(line);
}

static int ReadLayerByte(void*) { return ReadGameFileByte(); }

static bool SeekLayer(void*, uint32_t pos) {
  return pos <= 0x7FFFFFFF && SeekGameFile(static_cast<int32_t>(pos), 0) == 0;
}

void LoadObjectLayout(const char* path) {
  if (path != layout_file_path.c_str()) layout_file_path = path ? path : "";
  std::string name = layout_file_path;
  if (!OpenGameFile(name.c_str())) {
    ShowPathMessage("Can't open %s", name.c_str());
    return;
  }
  const uint64_t size = SeekGameFile(0, 2) == 0 ? TellGameFile() : 0;
  RewindGameFile();
  // Old versions keep their count in the last 4 bytes: a size past 32 bits
  // would find it elsewhere.
  LayoutSource src{ReadLayerByte, SeekLayer, static_cast<uint32_t>(size), nullptr};
  if (size > UINT32_MAX || ReadObjectLayout(src) < 0) ShowPathMessage("Not loaded: %s", name.c_str());
  CloseGameFile();
}

bool SaveObjectLayout(const char* path) {
  std::string name = path ? path : "";  // path may be layout_file_path itself
  if (name.empty()) {
    ShowMessage(kNoLayoutToSave);
    return false;
  }
  std::string target;
  std::vector<uint8_t> bytes;
  if (!GameWritePath(name.c_str(), &target) || !WriteObjectLayout(bytes) || !SaveFileAtomically(target, bytes)) {
    ShowPathMessage("Cannot write file %s", name.c_str());
    return false;
  }
  if (name == layout_file_path) ShowPathMessage("Saved %s", name.c_str());
  return true;
}

}  // namespace tolv
