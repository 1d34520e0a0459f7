// Object layout files "SOBJ": the objects of an act as placed when it
// starts. Versions 0-4 are read, version 4 is written.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "script/records.h"

namespace tolv {

constexpr uint8_t kLayoutVersion = 4;
constexpr uint16_t kNoRecord = 65535;  // link to no saved object

// Where a layout is read from: the game file layer, or memory in tests.
struct LayoutSource {
  int (*read_byte)(void* ctx);            // 0..255, or -1 past the end
  bool (*seek)(void* ctx, uint32_t pos);  // from the first byte
  uint32_t size;                          // bytes in the file
  void* ctx;
};

// A memory buffer as a layout source.
struct MemorySource {
  const uint8_t* data;
  uint32_t size, pos;
};
LayoutSource MemoryLayoutSource(MemorySource& m);

// Scope coding of type and function ids: game ids as they are, zone ids
// from 16384, act ids from 32768. Encoding fails when the stored value
// would not read back as the same id.
uint32_t DecodeScopeId(uint32_t stored, uint32_t game, uint32_t zone);
bool EncodeScopeId(uint32_t id, uint32_t game, uint32_t zone, uint32_t* stored);

// Reads a whole layout and, only when it is complete and valid, appends its
// objects to the active list (register 254 grows, the list is sorted).
// Returns the number of objects added, or -1 after a message.
int ReadObjectLayout(const LayoutSource& src);

// The version-4 file of the active objects. False, after a message, when an
// id cannot be stored.
bool WriteObjectLayout(std::vector<uint8_t>& out);

// The path the object editor and command 1133's current-file form use;
// empty while the game has loaded none.
extern std::string layout_file_path;
constexpr const char kNoLayoutToSave[] = "No layout file known: not saved";
constexpr const char kNoLayoutToLoad[] = "No layout file known: not loaded";

void LoadObjectLayout(const char* path);
bool SaveObjectLayout(const char* path);

}  // namespace tolv
