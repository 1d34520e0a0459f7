#include "objects/object_list.h"

#include <string>

#include "base/message_log.h"
#include "files/game_files.h"
#include "files/working_folder.h"
#include "objects/draw_order.h"
#include "script/records.h"

namespace tolv {

void PrintObjectList(std::FILE* f) {
  uint32_t n = ActiveObjectCount();
  for (uint32_t i = 0; i < n; i++) {
    const ObjectSlot* o = object_slots[i];
    const int32_t* v = o->vars;
    std::fprintf(f, "%4u type %d x %d y %d key %d frame %d word5 %d flags %d vars %u slot %u\n", i, v[0], v[1],
                 v[2], v[3], v[4], v[5], v[6], o->var_count, o->id);
  }
}

// Written under a temporary name and renamed, so a failed write never
// leaves half a listing.
bool WriteObjectList() {
  std::string folder = game_folder.empty() ? WorkingFolder() : game_folder;
  std::string path = folder + "/objlist.txt", temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "w");
  bool ok = f != nullptr;
  if (f) {
    PrintObjectList(f);
    ok = !std::ferror(f);
    ok = std::fclose(f) == 0 && ok && std::rename(temp.c_str(), path.c_str()) == 0;
  }
  if (!ok) {
    std::remove(temp.c_str());
    ShowMessage("Can't write objlist.txt");
  }
  return ok;
}

}  // namespace tolv
