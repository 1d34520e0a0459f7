#include "objects/object_list.h"

#include <cstdio>
#include <string>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "objects/draw_order.h"
#include "script/records.h"

namespace tolv {

std::string ObjectListText() {
  std::string text;
  uint32_t n = ActiveObjectCount();
  for (uint32_t i = 0; i < n; i++) {
    const ObjectSlot* o = object_slots[i];
    const int32_t* v = o->vars;
    char line[256];
    std::snprintf(line, sizeof line, "%4u type %d x %d y %d key %d frame %d word5 %d flags %d vars %u slot %u\n", i,
                  v[0], v[1], v[2], v[3], v[4], v[5], v[6], o->var_count, o->id);
    text += line;
  }
  return text;
}

bool WriteObjectList() {
  std::string folder = game_folder.empty() ? WorkingFolder() : game_folder;
  std::string text = ObjectListText();
  if (SaveFileAtomically(folder + "/objlist.txt", text.data(), text.size())) return true;
  ShowMessage("Can't write objlist.txt");
  return false;
}

}  // namespace tolv
