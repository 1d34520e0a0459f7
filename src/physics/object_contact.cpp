#include "physics/object_contact.h"

#include "objects/builtin_routines.h"
#include "physics/player_world_box.h"
#include "script/operands.h"

namespace tolv {

Edges ObjectFrameEdges(const ObjectSlot* o) {
  const SpriteFrame* f = CurrentFrame(o);
  Box b{};
  if (f) {
    uint32_t flags = static_cast<uint32_t>(ObjVar(o, 6));
    const Box& h = (flags & kFlipX) ? f->mirrored_box : f->box;
    const Box& v = (flags & kFlipY) ? f->mirrored_box : f->box;
    b = Box{h.left, h.right, v.top, v.bottom};
  }
  int64_t x = ObjVar(o, 1), y = ObjVar(o, 2);
  return {{x + b.left, x + b.right, y + b.top, y + b.bottom}};
}

Edges PlayerWorldEdges(const PlayerRecord* r) {
  const int32_t* m = r->motion;
  return {{m[kWorldLeft], m[kWorldRight], m[kWorldTop], m[kWorldBottom]}};
}

}  // namespace tolv
