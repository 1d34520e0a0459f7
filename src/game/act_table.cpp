// Act records and boundary events of zone.def.
#include <cctype>
#include <cstring>

#include "files/script_error.h"
#include "files/tokenizer.h"
#include "game/act_records.h"
#include "game/function_files.h"
#include "game/level_loading.h"
#include "game/object_defs.h"
#include "script/global_contexts.h"

namespace tolv {

std::vector<ActRecord> act_table;
int32_t loaded_zone = -1;
int32_t loaded_act = -1;

int32_t ScopeLetterNumber(char* t, uint16_t game, uint16_t zone) {
  int c = std::tolower(static_cast<unsigned char>(t[0]));
  uint32_t base = c == 'z' ? game : c == 'a' ? uint32_t(game) + zone : 0;
  if (c == 'g' || c == 'z' || c == 'a') t[0] = ' ';
  return int32_t(base + uint32_t(ParseNumber(t)));
}

static uint16_t FunctionToken(FileStream& s) {
  ReadToken(s, text_buffer);
  return uint16_t(ScopeLetterNumber(text_buffer, script_functions.game, script_functions.zone));
}

static std::string PathToken(FileStream& s) {
  ReadToken(s, text_buffer);
  return text_buffer;
}

static std::vector<std::string> PathList(FileStream& s, const char* what) {
  std::vector<std::string> list(ReadCount(s, 65535, what));
  for (std::string& p : list) p = PathToken(s);
  return list;
}

static bool Overlap(const BoundaryEvent& a, const BoundaryEvent& b) {
  return a.x2 >= b.x1 && a.x1 <= b.x2 && a.y2 >= b.y1 && a.y1 <= b.y2;
}

static void ReadEvents(FileStream& s, ActRecord& act) {
  act.events.resize(ReadCount(s, 65535, "boundary event"));
  for (size_t i = 0; i < act.events.size(); i++) {
    BoundaryEvent& e = act.events[i];
    e.x1 = ReadNumberToken(s);
    e.y1 = ReadNumberToken(s);
    e.x2 = int32_t(uint32_t(ReadNumberToken(s)) - 1);
    e.y2 = int32_t(uint32_t(ReadNumberToken(s)) - 1);
    e.kind = uint8_t(ReadNumberToken(s));
    e.label_count = uint16_t(ReadCount(s, 65535, "boundary event label"));
    e.labels.resize(e.label_count);
    e.values.resize(e.label_count);
    for (uint32_t k = 0; k < e.label_count; k++) {
      e.labels[k] = FunctionToken(s);
      e.values[k] = uint8_t(ReadNumberToken(s));
    }
    for (size_t j = 0; j < i; j++)
      if (Overlap(e, act.events[j])) ScriptErrorFormat("Boundary Events %zu and %zu overlap", i, j);
  }
}

static void ReadAct(FileStream& s, ActRecord& act) {
  act.start_function = FunctionToken(s);
  act.font_list = PathToken(s);
  act.music_list = PathToken(s);
  act.sound_list = PathToken(s);
  act.object_def = PathToken(s);
  act.layout_files = PathList(s, "screen-layout");
  act.function_count = uint16_t(ReadCount(s, 65535, "act function"));
  act.function_files = PathList(s, "act function file");
  ReadEvents(s, act);
}

void ReadActRecords(FileStream& s) {
  int32_t n = ReadNumberToken(s);
  if (n < 1 || n > 255) ScriptErrorFormat("Zone %d has %d acts\nA zone has 1 to 255 acts", loaded_zone, n);
  act_table.assign(size_t(n), ActRecord{});
  for (ActRecord& act : act_table) ReadAct(s, act);
}

}  // namespace tolv
