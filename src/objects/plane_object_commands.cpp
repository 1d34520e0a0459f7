// Showing and hiding a tile plane per view through its plane objects
// (word 7 the plane, words 8 and 9 shown in views 0 and 1), and the
// plane's own view bytes with them.
#include <algorithm>

#include "objects/object_pool.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/tile_plane.h"

namespace tolv {

// Calls set(o) for each active plane object of `plane`.
template <typename Set>
static void ForEachPlaneObject(int32_t plane, Set set) {
  uint32_t n = std::min(static_cast<uint32_t>(registers[kRegActiveObjects]), uint32_t{kObjectSlotCount});
  for (uint32_t i = 0; i < n; i++) {
    ObjectSlot* o = object_slots[i];
    if (o && ObjVar(o, 0) == kTypePlaneSwitch && ObjVar(o, 7) == plane) set(o);
  }
}

// A plane without a plane object keeps its view bytes.
static void CmdSetPlaneVisibility() {
  int32_t plane = static_cast<int32_t>(Op(1)), value = static_cast<int32_t>(Op(2));
  TilePlane* p = PlaneAt(static_cast<uint32_t>(plane));
  ForEachPlaneObject(plane, [&](ObjectSlot* o) {
    ObjVar(o, 8) = ObjVar(o, 9) = value;
    if (p) p->active_view0 = p->active_view1 = static_cast<uint8_t>(value);
  });
}

// Views other than 0 and 1 are no views.
static void CmdSetPlaneViewVisibility() {
  int32_t plane = static_cast<int32_t>(Op(1)), view = RegOrConst(Op(2)), value = static_cast<int32_t>(Op(3));
  if (view != 0 && view != 1) return;
  TilePlane* p = PlaneAt(static_cast<uint32_t>(plane));
  ForEachPlaneObject(plane, [&](ObjectSlot* o) {
    ObjVar(o, 8 + view) = value;
    if (p) (view ? p->active_view1 : p->active_view0) = static_cast<uint8_t>(value);
  });
}

static const CommandDef kPlaneObjectCommands[] = {
    TOLV_ALL(29, 3, CmdSetPlaneVisibility, "plane visibility"),
    TOLV_ALL(1432, 4, CmdSetPlaneViewVisibility, "plane view visibility"),
};

static const CommandDoc kPlaneObjectDocs[] = {
    {"plane visibility", CommandArea::kPlanes, {"plane (constant)", "visibility: 0 hidden, other shown (constant)"},
     "Shows or hides the tile plane in both views through its plane objects (type 9999). A plane without a plane "
     "object stays as it is."},
    {"plane view visibility", CommandArea::kPlanes,
     {"plane (constant)", "view (0 or 1)", "visibility: 0 hidden, other shown (constant)"},
     "Shows or hides the tile plane in one view through its plane objects (type 9999). Another view, or a plane "
     "without a plane object, changes nothing."},
};
extern const CommandList plane_object_command_list = TOLV_DOCUMENTED(kPlaneObjectCommands, kPlaneObjectDocs);

}  // namespace tolv
