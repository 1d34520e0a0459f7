// The acts of the loaded zone as zone.def lists them, and the zone's
// debug placement types.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// A rectangle x1..x2 by y1..y2 (x2, y2 stored as given minus 1) whose
// labels run when a player enters it.
struct BoundaryEvent {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  uint8_t kind = 0;
  uint16_t label_count = 0;
  std::vector<uint16_t> labels;  // global function ids
  std::vector<uint8_t> values;
};

struct ActRecord {
  uint16_t start_function = 0;
  std::string music_list, sound_list, font_list, object_def;
  uint16_t function_count = 0;
  std::vector<std::string> function_files;
  std::vector<std::string> layout_files;
  std::vector<BoundaryEvent> events;
};

extern std::vector<ActRecord> act_table;
extern int32_t loaded_zone;
extern int32_t loaded_act;

// The act record of the current zone for act a, or null.
inline const ActRecord* FindAct(int32_t a) {
  return a >= 0 && size_t(a) < act_table.size() ? &act_table[size_t(a)] : nullptr;
}

}  // namespace tolv
