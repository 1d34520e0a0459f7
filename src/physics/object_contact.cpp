#include "physics/object_contact.h"

#include "physics/frame_view.h"

namespace tolv {

Edges ObjectFrameEdges(const ObjectSlot* o) {
  const FrameView s = ObjectFrameView(o);
  const Box b = s.frame ? FrameBox(s) : Box{s.x, s.x, s.y, s.y};
  return {{b.left, b.right, b.top, b.bottom}};
}

Edges PlayerWorldEdges(const PlayerRecord* r) {
  const int32_t* m = r->motion;
  return {{m[kWorldLeft], m[kWorldRight], m[kWorldTop], m[kWorldBottom]}};
}

}  // namespace tolv
