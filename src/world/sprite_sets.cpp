#include "world/sprite_sets.h"

#include <cstdlib>
#include <new>

#include "base/message_log.h"
#include "files/scopes.h"

namespace tolv {

SpriteSet** sprite_sets = nullptr;
ScopeCounts sprite_set_counts;

static void FreeSet(SpriteSet* set) {
  if (!set) return;
  for (uint32_t f = 0; f < set->frame_count; f++) FreeSpriteFrame(&set->frames[f]);
  std::free(set->frames);
  delete set;
}

static void ResizeSets(uint32_t old, uint32_t total) {
  for (uint32_t s = total; s < old; s++) FreeSet(sprite_sets[s]);
  auto* p = static_cast<SpriteSet**>(std::realloc(sprite_sets, (total ? total : 1) * sizeof(SpriteSet*)));
  if (!p) throw std::bad_alloc();
  sprite_sets = p;
  for (uint32_t s = old; s < total; s++) sprite_sets[s] = new SpriteSet{};
}

void FreeSpriteSets(int drop) {
  uint32_t old = sprite_set_counts.total;
  ResizeSets(old, DropScopes(sprite_set_counts, drop));
}

uint32_t SetSpriteSetScope(int scope, int64_t n) {
  uint32_t old = sprite_set_counts.total;
  uint32_t first = SetScopeCount(sprite_set_counts, scope, n, "sprite set");
  ResizeSets(old, sprite_set_counts.total);
  return first;
}

void AllocSetFrames(uint32_t s, uint32_t n) {
  SpriteSet* set = sprite_sets[s];
  set->frames = static_cast<SpriteFrame*>(std::calloc(n ? n : 1, sizeof(SpriteFrame)));
  if (!set->frames) throw std::bad_alloc();
  set->frame_count = uint16_t(n);
}

void LoadSpriteSets(const char* name, int scope) {
  static const char* const lines[3] = {"Creating one Game set with a blank frame",
                                       "Creating one Zone set with a blank frame",
                                       "Creating one Act set with a blank frame"};
  ShowMessage("Can't open sprite file for read:");
  ShowMessage(name);
  ShowMessage(lines[scope < 0 || scope > 2 ? 0 : scope]);
  uint32_t s = SetSpriteSetScope(scope, 1);
  AllocSetFrames(s, 1);
  InitBlankFrame(&sprite_sets[s]->frames[0]);
}

}  // namespace tolv
