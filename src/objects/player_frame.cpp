#include "objects/player_frame.h"

#include "objects/players.h"

namespace tolv {

const SpriteFrame* PlayerFrame(const PlayerRecord* r, uint32_t n) {
  const SpriteSet* s = r->frames;
  return s && s->frames && n < s->frame_count ? &s->frames[n] : nullptr;
}

const SpriteFrame* PlayerFrame(const PlayerRecord* r) {
  const TimedScriptContext& main = r->main_ctx;
  return PlayerFrame(r, main.lane_count && main.frame_values ? main.frame_values[0] : 0);
}

bool PlayerFlipH(PlayerRecord* r) { return (PVar(r, kPvBoxFlipX) ^ PVar(r, kPvFlipX)) & 1; }
bool PlayerFlipV(PlayerRecord* r) { return (PVar(r, kPvBoxFlipY) ^ PVar(r, kPvFlipY)) & 1; }

static const Box kBlankBox{-1, 1, -1, 1};

Box PlayerFrameBox(PlayerRecord* r, bool turned) {
  const SpriteFrame* f = PlayerFrame(r);
  const Box& plain = f ? f->box : kBlankBox;
  const Box& mirrored = f ? f->mirrored_box : kBlankBox;
  const Box& h = PlayerFlipH(r) ? mirrored : plain;
  const Box& v = PlayerFlipV(r) ? mirrored : plain;
  if (turned) return Box{h.top, h.bottom, v.left, v.right};
  return Box{h.left, h.right, v.top, v.bottom};
}

}  // namespace tolv
