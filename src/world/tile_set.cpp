// The tile pool and its animation.
#include <cstdlib>
#include <cstring>
#include <new>

#include "world/tile.h"

namespace tolv {

// Never destroyed: the records own malloc'd frames that stay reachable
// through it until exit.
static std::vector<Tile>& tile_pool = *new std::vector<Tile>;
Tile* tiles = nullptr;
uint16_t tile_count = 0;

const uint8_t kBlankTileFrame[64] = {};
const Tile kEmptyTile = [] {
  Tile t;
  t.current_frame = kBlankTileFrame;
  return t;
}();

static void Publish() {
  tiles = tile_pool.empty() ? nullptr : tile_pool.data();
  tile_count = static_cast<uint16_t>(tile_pool.size());
}

void FreeTileFrames(Tile& t) {
  std::free(t.frame_store);
  std::free(t.delays);
  t.frame_store = t.delays = nullptr;
  t.current_frame = kBlankTileFrame;
  t.frame_count = t.delay_count = t.frame_index = t.delay_pos = t.anim_counter = 0;
  t.opaque = t.floor = t.angle = 0;
}

static void MakeBlank(Tile& t) {
  t = Tile{};
  t.frame_store = static_cast<uint8_t*>(std::calloc(64, 1));
  if (!t.frame_store) throw std::bad_alloc();
  t.current_frame = t.frame_store;
  t.frame_count = 1;
}

void ResizeTiles(uint16_t n) {
  const size_t old = tile_pool.size();
  for (size_t i = n; i < old; i++) FreeTileFrames(tile_pool[i]);
  tile_pool.resize(n);
  for (size_t i = old; i < n; i++) MakeBlank(tile_pool[i]);
  Publish();
}

void FreeTiles(std::vector<Tile>& list) {
  for (Tile& t : list) FreeTileFrames(t);
  list.clear();
}

void ReplaceTiles(std::vector<Tile>& fresh) {
  tile_pool.swap(fresh);
  FreeTiles(fresh);
  Publish();
}

void ResetTileAnimation() {
  for (Tile& t : tile_pool) {
    t.anim_counter = t.frame_index = t.delay_pos = 0;
    t.current_frame = t.frame_count ? t.frame_store : kBlankTileFrame;
  }
}

// The delay list and the frame list advance together and wrap apart; a
// tile without frames has nothing to step through.
void AnimateTiles() {
  for (Tile *t = tiles, *end = tiles + tile_count; t != end; ++t) {
    if (!t->delay_count || !t->frame_count) continue;
    if (++t->anim_counter < t->delays[t->delay_pos]) continue;
    t->anim_counter = 0;
    if (++t->delay_pos >= t->delay_count) t->delay_pos = 0;
    if (++t->frame_index >= t->frame_count) t->frame_index = 0;
    t->current_frame = t->frame_store + 64 * t->frame_index;
  }
}

void ClearCollisionMaps() {
  for (Tile& t : tile_pool) std::memset(t.collision, 0, sizeof t.collision);
}

}  // namespace tolv
