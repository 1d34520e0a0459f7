#include "objects/player_frame.h"

namespace tolv {

const SpriteFrame* PlayerFrame(const PlayerRecord* r) {
  const TimedScriptContext& main = r->main_ctx;
  uint32_t n = main.lane_count && main.frame_values ? main.frame_values[0] : 0;
  const SpriteSet* s = r->frames;
  return s && s->frames && n < s->frame_count ? &s->frames[n] : nullptr;
}

}  // namespace tolv
