// keymap.def: a map count P, an entry count E, then P x E key tokens, each
// a scan code 0..127 or NONE (see README, "Data formats").
#include "game/key_maps.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "base/key_state.h"
#include "base/message_log.h"
#include "compiler/compile_scopes.h"
#include "files/def_files.h"
#include "files/script_error.h"
#include "files/tokenizer.h"

namespace tolv {

uint8_t* key_maps = nullptr;
char key_map_file_name[256] = "keymap.def";

constexpr uint32_t kMaxEntries = 85;  // a player's 3 x E bytes fit the u8 pad stride

void FreeKeyMaps() {
  std::free(key_maps);
  key_maps = nullptr;
  key_map_count = 0;
  key_map_entry_count = 0;
}

static void SetMaps(uint32_t maps, uint32_t entries) {
  FreeKeyMaps();
  key_maps = static_cast<uint8_t*>(std::malloc(maps * entries + 1));
  if (!key_maps) throw std::bad_alloc();
  std::memset(key_maps, kUnboundKey, maps * entries);
  key_map_count = uint16_t(maps);
  key_map_entry_count = uint16_t(entries);
  pad_stride = uint8_t(3 * entries);
  pad_row_offset = uint8_t(entries);
}

// The bound that maps x entries breaks, "" when they fit. Every map's 3 x E
// entry states follow the 512 key bytes within the key state.
static std::string BrokenBound(int32_t maps, int32_t entries) {
  if (maps < 1) return "At least 1 map";
  if (entries < 1) return "At least 1 entry a map";
  if (uint32_t(entries) > kMaxEntries) return "At most " + std::to_string(kMaxEntries) + " entries a map";
  const uint32_t most = (kKeyStateSize - 512) / (3 * uint32_t(entries));
  if (uint32_t(maps) <= most) return "";
  return "At most " + std::to_string(most) + " maps of " + std::to_string(entries) + " entries";
}

void LoadKeyMaps(const char* name) {
  ScopedStream s;
  if (!OpenStream(name, s)) {
    ShowMessage("No key-map file: using two maps");
    ShowMessage("of 16 unbound keys");
    return SetMaps(2, 16);
  }
  int32_t maps = ReadNumberToken(s), entries = ReadNumberToken(s);
  if (const std::string bound = BrokenBound(maps, entries); !bound.empty())
    ScriptErrorFormat("Key maps: %d maps of %d entries do not fit\n%s", maps, entries, bound.c_str());
  SetMaps(uint32_t(maps), uint32_t(entries));
  for (int32_t i = 0; i < maps * entries; i++) {
    ReadToken(s, text_buffer);
    if (std::strcmp(text_buffer, "NONE") == 0) continue;
    int32_t code = ParseNumber(text_buffer);
    if (code < 0 || code > 127) ScriptErrorFormat("Key maps: entry %d names scan code %d\nCodes run from 0 to 127", i, code);
    key_maps[i] = uint8_t(code);
  }
}

}  // namespace tolv
