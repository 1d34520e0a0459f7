// Key maps: per player, E entries each naming the scan code that drives
// it. The entry states land in key_state from byte 512, one block of 3 x E
// bytes (pressed, held, pulse rows) per map.
#pragma once
#include <cstdint>

namespace tolv {

constexpr uint8_t kUnboundKey = 255;

extern uint8_t* key_maps;  // key_map_count x key_map_entry_count scan codes
extern char key_map_file_name[256];

// Reads a key-map file of the current folder and sets the entry count E
// (key_map_entry_count), the map count and the pad geometry. A missing
// file gives two maps of 16 unbound entries.
void LoadKeyMaps(const char* name);
void FreeKeyMaps();

}  // namespace tolv
