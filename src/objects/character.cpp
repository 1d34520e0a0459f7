// Character records, freeing them, and the end-of-frame free list that
// keeps reloaded data alive while lanes that use it finish their turn.
#include "objects/character.h"

#include <cstdlib>
#include <new>

namespace tolv {

Character characters[kMaxCharacters];
uint8_t character_count = 0;
CodeSet player_functions;

namespace {
struct Retired {
  void* block;
  SpriteFrame* frames;
  uint16_t frame_count;
};
Retired* retired = nullptr;
uint32_t retired_count = 0, retired_cap = 0;
}  // namespace

static void Retire(void* block, SpriteFrame* frames = nullptr, uint16_t frame_count = 0) {
  if (!block && !frames) return;
  if (retired_count == retired_cap) {
    uint32_t cap = retired_cap ? retired_cap * 2 : 64;
    auto* r = static_cast<Retired*>(std::realloc(retired, cap * sizeof(Retired)));
    if (!r) throw std::bad_alloc();
    retired = r;
    retired_cap = cap;
  }
  retired[retired_count++] = Retired{block, frames, frame_count};
}

static void FreeFrames(SpriteFrame* frames, uint16_t count) {
  if (!frames) return;
  for (int i = 0; i < count; i++) FreeSpriteFrame(&frames[i]);
  std::free(frames);
}

// Releases everything a character owns, now or at the end of the frame.
static void ReleaseCharacter(Character& ch, bool later) {
  auto drop = [later](void* p) { later ? Retire(p) : std::free(p); };
  if (later) Retire(nullptr, ch.sprites.frames, ch.sprites.frame_count);
  else FreeFrames(ch.sprites.frames, ch.sprites.frame_count);
  for (int a = 0; ch.actions && a < ch.action_count; a++) {
    ActionGroup& g = ch.actions[a];
    for (int k = 0; g.combinations && k < g.combination_count; k++) drop(g.combinations[k].keys);
    drop(g.combinations);
  }
  for (void* p : {static_cast<void*>(ch.actions), static_cast<void*>(ch.default_vars),
                  static_cast<void*>(ch.extra_labels), static_cast<void*>(ch.main_labels), static_cast<void*>(ch.path)})
    drop(p);
  ch = Character{};
}

void FreeCharacters(int c) {
  if (c < 0) {
    for (Character& ch : characters) ReleaseCharacter(ch, false);
    return;
  }
  if (c < kMaxCharacters) ReleaseCharacter(characters[c], false);
}

void RetireCharacter(int c) {
  if (c >= 0 && c < kMaxCharacters) ReleaseCharacter(characters[c], true);
}

void RetirePlayerFunctions(uint16_t keep) {
  for (uint32_t i = keep; i < player_functions.total; i++) {
    ScriptFunction& fn = player_functions.functions[i];
    Retire(fn.words);
    Retire(fn.offsets);
    fn = ScriptFunction{};
  }
  if (keep < player_functions.total) player_functions.total = keep;
}

void FreeRetiredCharacterData() {
  for (uint32_t i = 0; i < retired_count; i++) {
    FreeFrames(retired[i].frames, retired[i].frame_count);
    std::free(retired[i].block);
  }
  retired_count = 0;
}

}  // namespace tolv
