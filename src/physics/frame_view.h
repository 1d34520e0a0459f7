// A sprite frame as a box or hot-spot command sees it: the frame an object
// or a player shows, its flip variants and the position it is placed at.
#pragma once
#include <cstdint>

#include "physics/pass_geometry.h"

namespace tolv {

struct FrameView {
  const SpriteFrame* frame = nullptr;
  bool h = false, v = false;
  int32_t x = 0, y = 0;
};

// The frame o shows (its type's set word 4, lane 0's frame), flipped by
// bits 0 and 1 of word 6, placed at (x, y).
inline FrameView ObjectFrameView(const ObjectSlot* o, int32_t x, int32_t y) {
  uint32_t flags = static_cast<uint32_t>(ObjVar(o, 6));
  return FrameView{CurrentFrame(o), (flags & kFlipX) != 0, (flags & kFlipY) != 0, x, y};
}
inline FrameView ObjectFrameView(const ObjectSlot* o) { return ObjectFrameView(o, ObjVar(o, 1), ObjVar(o, 2)); }
// The frame a player shows with its box flips, placed at (x, y).
inline FrameView PlayerFrameView(PlayerRecord* r, int32_t x, int32_t y) {
  return FrameView{PlayerCurrentFrame(r), PlayerFlipH(r), PlayerFlipV(r), x, y};
}

// The frame's main bounds placed; only for a view with a frame.
inline Box FrameBox(const FrameView& s) { return PlaceBox(s.frame->box, &s.frame->mirrored_box, s.h, s.v, s.x, s.y); }
// Centre of the frame box, the halves taken on the flip-selected bounds.
inline int32_t FrameCentreX(const FrameView& s) {
  const Box& b = s.h ? s.frame->mirrored_box : s.frame->box;
  return WrapAdd(static_cast<int32_t>((int64_t{b.left} + b.right) >> 1), s.x);
}
inline int32_t FrameCentreY(const FrameView& s) {
  const Box& b = s.v ? s.frame->mirrored_box : s.frame->box;
  return WrapAdd(static_cast<int32_t>((int64_t{b.top} + b.bottom) >> 1), s.y);
}

// Hot spot n of the view's frame; false when the frame has no such point.
inline bool HotSpotOf(const FrameView& s, uint32_t n, int32_t& x, int32_t& y) {
  const HotSpot* hs = FrameHotSpot(s.frame, n, s.h);
  const HotSpot* vs = FrameHotSpot(s.frame, n, s.v);
  if (!hs || !vs) return false;
  x = WrapAdd(hs->x, s.x);
  y = WrapAdd(vs->y, s.y);
  return true;
}

}  // namespace tolv
